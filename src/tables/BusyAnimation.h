#pragma once

#include <QTimer>
#include <QWidget>

namespace statdesk {

// The busy animation: eleven frames played in a loop while shown, painted rather than loaded so
// the program carries no animation file.
class BusyAnimation final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BusyAnimation)

  public:
    static constexpr int kFrameCount = 11;

    explicit BusyAnimation(QWidget* parent = nullptr);
    ~BusyAnimation() override;

    void play();
    void stop();
    bool isPlaying() const { return m_timer.isActive(); }
    int frame() const { return m_frame; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QTimer m_timer;
    int m_frame = 0;
};

} // namespace statdesk
