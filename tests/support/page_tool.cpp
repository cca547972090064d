#include "tests/support/page_tool.h"

#include "tests/support/phone_sources.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <stdexcept>

namespace pagetool {

namespace {

// Long enough for a sanitizer build to convert a large photo and a memo.
constexpr int kRunTimeoutMs = 120'000;

} // namespace

QString executable() { return QStringLiteral(TOLVIKA_BUILD_DIR "/tools/page/tolvika-page"); }

Run run(const QStringList& arguments, const QStringList& prefix)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "SDL_AUDIODRIVER"})
        environment.remove(QString::fromLatin1(name));
    // A desktop session has a runtime folder; without one Qt says so on stderr.
    const QTemporaryDir runtime;
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    process.setProcessEnvironment(environment);
    if (prefix.isEmpty())
        process.start(executable(), arguments);
    else
        process.start(prefix.first(), prefix.mid(1) + QStringList{executable()} + arguments);
    if (!process.waitForFinished(kRunTimeoutMs) || process.exitStatus() != QProcess::NormalExit)
        return {-1, QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

Run makePage(const QString& dataFolder, const QString& letter, const QString& work, const PageSources& sources)
{
    const QString photo = work + QStringLiteral("/photo.jpg");
    const QString memo = work + QStringLiteral("/memo.m4a");
    phonesources::writeFile(photo, phonesources::rotatedPhonePhoto(sources.uprightPicture));
    phonesources::MemoShape shape;
    shape.toneSeconds = sources.toneSeconds;
    phonesources::makeMemo(memo, shape);
    const Run result = run({dataFolder, letter, QStringLiteral("--picture"), photo, QStringLiteral("--text"),
                            sources.text, QStringLiteral("--sound"), memo, QStringLiteral("--replace")});
    if (result.status != 0)
        throw std::runtime_error("tolvika-page failed (" + std::to_string(result.status) + "): "
                                 + result.err.toStdString());
    return result;
}

} // namespace pagetool
