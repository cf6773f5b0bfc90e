#pragma once

#include <QDialog>
#include <QPointer>
#include <QWidget>

class QAction;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTextEdit;

namespace statdesk {

// The list viewer: one line of a shipped file per row, in a fixed-pitch font so columns line up.
// Every command opens a new one.
class TForm20 final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TForm20)

  public:
    explicit TForm20(QWidget* parent = nullptr);
    ~TForm20() override;

    // Appends the file's lines; a missing or unreadable file throws, and the lines read so far stay.
    void showFile(const QString& path, bool complemented = false);

    QListWidget* ListBox1 = nullptr;
    QSize sizeHint() const override { return {437, 302}; }

  protected:
    void resizeEvent(QResizeEvent* event) override;
};

// A built-in help text. Its menu entry stays off while it is open, so each text is open once.
class TForm4 final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TForm4)

  public:
    TForm4(QAction* openingEntry, QWidget* parent = nullptr);
    ~TForm4() override;

    void setText(const QString& caption, const QStringList& lines);

    QPlainTextEdit* Memo1 = nullptr;
    QSize sizeHint() const override { return {870, 600}; }

  private:
    QPointer<QAction> m_openingEntry;
};

// The built-in tutorial, shown from the top; several may be open.
class TForm16 final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TForm16)

  public:
    explicit TForm16(QWidget* parent = nullptr);
    ~TForm16() override;

    QTextEdit* RichEdit1 = nullptr;
};

// The list chooser: one value from a sorted list, the first entry chosen when it opens.
class TBtnRightDlg2 final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TBtnRightDlg2)

  public:
    explicit TBtnRightDlg2(QWidget* parent = nullptr);
    ~TBtnRightDlg2() override;

    // Fills the list (kept sorted), sets the caption and shows the dialog; the chosen text, or
    // nothing when the user cancels.
    std::optional<QString> choose(const QString& caption, const QStringList& entries);

    QListWidget* ListBox1 = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

  protected:
    void showEvent(QShowEvent* event) override;
};

} // namespace statdesk
