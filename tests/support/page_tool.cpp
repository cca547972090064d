#include "tests/support/page_tool.h"

#include "tests/support/phone_sources.h"
#include "tests/support/test_files.h"

#include <stdexcept>

namespace pagetool {

namespace {

// Long enough for a sanitizer build to convert a large photo and a memo.
constexpr int kRunTimeoutMs = 120'000;

} // namespace

QString executable() { return QStringLiteral(TOLVIKA_BUILD_DIR "/tools/page/tolvika-page"); }

Run run(const QStringList& arguments, const QStringList& prefix)
{
    if (prefix.isEmpty())
        return testtools::runWithoutDesktop(executable(), arguments, kRunTimeoutMs);
    return testtools::runWithoutDesktop(prefix.first(), prefix.mid(1) + QStringList{executable()} + arguments,
                                        kRunTimeoutMs);
}

Run makePage(const QString& dataFolder, const QString& letter, const QString& work, const PageSources& sources)
{
    const QString photo = work + QStringLiteral("/photo.jpg");
    const QString memo = work + QStringLiteral("/memo.m4a");
    testfiles::writeFile(photo, phonesources::rotatedPhonePhoto(sources.uprightPicture));
    phonesources::MemoShape shape;
    shape.toneSeconds = sources.toneSeconds;
    phonesources::makeMemo(memo, shape);
    const Run result = run({dataFolder, letter, QStringLiteral("--picture"), photo, QStringLiteral("--text"),
                            sources.text, QStringLiteral("--sound"), memo, QStringLiteral("--replace")});
    if (result.status != 0)
        throw std::runtime_error("tolvika-page failed (" + std::to_string(result.status)
                                 + "): " + result.err.toStdString());
    return result;
}

} // namespace pagetool
