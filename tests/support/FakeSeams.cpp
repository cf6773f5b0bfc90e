#include "FakeSeams.h"

namespace statdesk::test {

RecordingPresenter::RecordingPresenter() {
    seams::setPresenter(this);
}
RecordingPresenter::~RecordingPresenter() {
    seams::setPresenter(nullptr);
}
void RecordingPresenter::showError(const QString& text) {
    errors.append(text);
}
void RecordingPresenter::showMessage(const QString& caption, const QString& text) {
    messages.append(caption + QLatin1Char('|') + text);
}
bool RecordingPresenter::askOkCancel(const QString& caption, const QString& text) {
    messages.append(caption + QLatin1Char('|') + text);
    return nextAnswer;
}

RecordingOpener::RecordingOpener() {
    seams::setOpener(this);
}
RecordingOpener::~RecordingOpener() {
    seams::setOpener(nullptr);
}
void RecordingOpener::open(const QString& address) {
    opened.append(address);
}

FixedClock::FixedClock(QDateTime start) : m_now(std::move(start)) {
    seams::setClock(this);
}
FixedClock::~FixedClock() {
    seams::setClock(nullptr);
}

ScriptedRandom::ScriptedRandom() {
    seams::setRandom(this);
}
ScriptedRandom::~ScriptedRandom() {
    seams::setRandom(nullptr);
}
int ScriptedRandom::bounded(int bound) {
    const int value = next.isEmpty() ? 0 : next.takeFirst();
    return bound <= 0 ? 0 : value % bound;
}

ScriptedFileChooser::ScriptedFileChooser() {
    seams::setFileChooser(this);
}
ScriptedFileChooser::~ScriptedFileChooser() {
    seams::setFileChooser(nullptr);
}
QString ScriptedFileChooser::openFileName(QWidget*, const QString& filter, const QString& defaultSuffix) {
    return answer("open", filter, defaultSuffix);
}
QString ScriptedFileChooser::saveFileName(QWidget*, const QString& filter, const QString& defaultSuffix,
                                          const QString& suggestedName) {
    return answer("save", filter,
                  suggestedName.isEmpty() ? defaultSuffix : defaultSuffix + QLatin1Char('|') + suggestedName);
}
QString ScriptedFileChooser::answer(const char* kind, const QString& filter, const QString& defaultSuffix) {
    calls.append(QLatin1String(kind) + QLatin1Char('|') + filter + QLatin1Char('|') + defaultSuffix);
    return next.isEmpty() ? QString() : next.takeFirst();
}

} // namespace statdesk::test
