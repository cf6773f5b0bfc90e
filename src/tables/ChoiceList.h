#pragma once

#include <QListWidget>

namespace statdesk {

// A list where each click or Space toggles one item. Moving through it, by arrow keys or by typing
// the first letters of an entry, only moves the current item and never chooses anything: the
// platform's own type-ahead would choose every entry it passes.
class ChoiceList final : public QListWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ChoiceList)

  public:
    explicit ChoiceList(QWidget* parent = nullptr);
    ~ChoiceList() override;

    void keyboardSearch(const QString& search) override;

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void moveCurrentTo(int row);

    QString m_typed;
    qint64 m_lastTypedMs = 0;
};

} // namespace statdesk
