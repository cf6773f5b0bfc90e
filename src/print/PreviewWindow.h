#pragma once

#include <QDialog>
#include <QImage>

class QLabel;
class QPushButton;
class QScrollArea;

namespace statdesk {

// "Print Preview": the report drawn as text on a large image under a character ruler.
class TForm15 final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TForm15)

  public:
    static constexpr int kImageWidth = 3000;
    static constexpr int kImageHeight = 1200;

    explicit TForm15(QWidget* parent = nullptr);
    ~TForm15() override;

    // Clears the image for a new pass; draw on image() with previewFont() afterwards.
    void beginPass();
    QImage& image() { return m_image; }
    static QFont previewFont();
    // Shows the last pass, scrolled back to the left edge, until the user closes the window.
    void showPreview();

    QPushButton* Button1 = nullptr;
    QScrollArea* ScrollBox1 = nullptr;
    QLabel* Image1 = nullptr;

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    QImage m_image;
};

} // namespace statdesk
