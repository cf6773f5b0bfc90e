#pragma once

#include "Seams.h"

#include <QDateTime>
#include <QStringList>

// Recorders that tests install in place of the real seams; they restore the real ones when destroyed.
namespace statdesk::test {

class RecordingPresenter final : public MessagePresenter {
  public:
    RecordingPresenter();
    ~RecordingPresenter() override;
    void showError(const QString& text) override;
    void showMessage(const QString& caption, const QString& text) override;
    bool askOkCancel(const QString& caption, const QString& text) override;

    QStringList errors;
    QStringList messages; // "caption|text"
    bool nextAnswer = true;
};

class RecordingOpener final : public AddressOpener {
  public:
    RecordingOpener();
    ~RecordingOpener() override;
    void open(const QString& address) override;

    QStringList opened;
};

class FixedClock final : public Clock {
  public:
    explicit FixedClock(QDateTime start);
    ~FixedClock() override;
    QDateTime now() const override { return m_now; }
    void advanceSeconds(qint64 seconds) { m_now = m_now.addSecs(seconds); }

  private:
    QDateTime m_now;
};

class ScriptedRandom final : public RandomSource {
  public:
    ScriptedRandom();
    ~ScriptedRandom() override;
    void seed(quint64 value) override { seeds.append(value); }
    int bounded(int bound) override;

    QList<int> next; // consumed first; then 0
    QList<quint64> seeds;
};

class ScriptedFileChooser final : public FileChooser {
  public:
    ScriptedFileChooser();
    ~ScriptedFileChooser() override;
    QString openFileName(QWidget* parent, const QString& filter, const QString& defaultSuffix) override;
    QString saveFileName(QWidget* parent, const QString& filter, const QString& defaultSuffix,
                         const QString& suggestedName) override;

    QStringList next; // answers, consumed first; then "" (cancelled)
    // "open|filter|suffix" or "save|filter|suffix", and "|suggested name" when the dialog offers one
    QStringList calls;

  private:
    QString answer(const char* kind, const QString& filter, const QString& defaultSuffix);
};

} // namespace statdesk::test
