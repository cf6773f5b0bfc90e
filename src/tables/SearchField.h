#pragma once

#include <QLineEdit>

namespace statdesk {

// The text field above a list that narrows it as the user types. Down asks to move into the list,
// Enter asks the dialog what to choose instead of pressing its default button, and Escape empties a
// field that holds text (on an empty one it closes the dialog as everywhere else).
class SearchField final : public QLineEdit {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SearchField)

  public:
    explicit SearchField(QWidget* parent = nullptr);
    ~SearchField() override;

  signals:
    void downPressed();
    void enterPressed();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace statdesk
