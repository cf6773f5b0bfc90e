#include "BrandStartup.h"

#include "BrandRecordLayout.h"
#include "BrandRecordReader.h"
#include "StartupError.h"

#include <QFile>
#include <QFileInfo>

namespace statdesk {
namespace {

const QString TempExe = QStringLiteral("temp.exe");
const QString TempTxt = QStringLiteral("temp.txt");
const QString LogoFile = QStringLiteral("logo.bmp");

// "temp.exe" and "temp.txt": removed when done, whether the step succeeds or throws, but only once we
// have created them.
class WorkingFile {
  public:
    explicit WorkingFile(const QString& name) : m_file(name) {}
    ~WorkingFile() {
        m_file.close();
        if (m_created)
            QFile::remove(m_file.fileName());
    }
    Q_DISABLE_COPY_MOVE(WorkingFile)

    QFile& create() {
        if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            throw StartupError(QStringLiteral("Cannot create file %1").arg(absolutePath()));
        m_created = true;
        return m_file;
    }

    QFile& reopen() {
        m_file.close();
        if (!m_file.open(QIODevice::ReadOnly))
            throw StartupError(QStringLiteral("Cannot open file %1").arg(absolutePath()));
        return m_file;
    }

  private:
    QString absolutePath() const { return QFileInfo(m_file.fileName()).absoluteFilePath(); }

    QFile m_file;
    bool m_created = false;
};

void openProgram(QFile& program, const QString& programPath) {
    if (!program.open(QIODevice::ReadOnly))
        throw StartupError(QStringLiteral("Cannot open file %1").arg(programPath));
}

QByteArray readFrom(QFile& file, qint64 count) {
    const QByteArray data = file.read(count);
    if (data.isNull() && file.error() != QFileDevice::NoError)
        throw StartupError(
            QStringLiteral("Cannot read file %1: %2").arg(file.fileName(), file.errorString()));
    return data;
}

void writeTo(QFile& file, const QByteArray& data) {
    if (file.write(data) != data.size() || !file.flush())
        throw StartupError(QStringLiteral("Cannot write file %1: %2")
                               .arg(QFileInfo(file.fileName()).absoluteFilePath(), file.errorString()));
}

// Step 2: the program's size, capped at what one read takes.
qint64 measureProgram(const QString& programPath) {
    QFile program(programPath);
    openProgram(program, programPath);
    WorkingFile copy(TempExe);
    writeTo(copy.create(), readFrom(program, brandlayout::ProgramReadLimit));
    program.close();
    return copy.reopen().size();
}

// Step 3: the bytes after the record offset, up to the measured size.
void extractRecord(const QString& programPath, qint64 size, WorkingFile& record) {
    QFile program(programPath);
    openProgram(program, programPath);
    QFile& out = record.create();
    readFrom(program, brandlayout::RecordOffset);
    writeTo(out, readFrom(program, size - brandlayout::RecordOffset));
}

} // namespace

BrandRecord loadBrandRecordFromProgram(const QString& programPath) {
    const qint64 size = measureProgram(programPath);
    if (size <= brandlayout::RecordOffset)
        throw StartupError(QStringLiteral("No brand record in file %1").arg(programPath));

    WorkingFile record(TempTxt);
    extractRecord(programPath, size, record);
    QFile logo(LogoFile);
    return readBrandRecord(record.reopen(), logo);
}

} // namespace statdesk
