// tolvika-page: makes a page of a Tolvika data folder from a phone photo, a
// text and a voice memo, or starts a new data folder. Exit status 0 when the
// page shows whole, 1 when an input is refused, a conversion fails or the
// page still lacks a file, 2 for a command line it cannot follow.
#include "app/core/path_encoding.h"
#include "tools/check/offscreen_application.h"
#include "tools/page/command_line.h"
#include "tools/page/new_folder.h"
#include "tools/page/page_errors.h"
#include "tools/page/page_maker.h"

#include <QFile>
#include <QStringDecoder>
#include <QTextStream>

#include <cstdio>
#include <new>
#include <optional>
#include <sys/resource.h>

// The sanitizers' shadow memory takes terabytes of address space.
#if defined(__SANITIZE_ADDRESS__)
#define TOLVIKA_PAGE_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TOLVIKA_PAGE_SANITIZED 1
#endif
#endif

namespace {

void limitAddressSpace()
{
#ifndef TOLVIKA_PAGE_SANITIZED
    // The most address space the tool may take. A 48-megapixel photo needs under
    // 1 GB at its peak; a crafted picture whose decoder asks for gigabytes fails
    // its allocation and is refused, instead of filling the machine's memory.
    constexpr rlim_t kAddressSpaceLimit = rlim_t{3} << 30;
    rlimit limit{};
    if (getrlimit(RLIMIT_AS, &limit) != 0)
        return;
    if (limit.rlim_max != RLIM_INFINITY && limit.rlim_max < kAddressSpaceLimit)
        return;
    limit.rlim_cur = kAddressSpaceLimit;
    setrlimit(RLIMIT_AS, &limit);
#endif
}

// Qt's image plugins and its platform say what puzzles them ("libpng error:
// Read Error") on standard error; the tool says it once, in its own words.
void dropChatter(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "tolvika-page: %s\n", qPrintable(message));
}

// The tool opens and makes files by names spelt as text, so a name whose
// bytes are not UTF-8 would come out as another name (a folder made beside the
// one meant, and reported made). Such an argument is refused instead.
std::optional<QByteArray> firstArgumentNotUtf8(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        // Stateless: a sequence cut short at the end is an error, not kept for more input.
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QByteArray bytes(argv[i]);
        const QString decoded = decoder.decode(bytes); // decodes only when made a string
        (void)decoded;
        if (decoder.hasError())
            return bytes;
    }
    return std::nullopt;
}

int run(const PageCommand& command, QTextStream& out, QTextStream& err)
{
    if (command.kind == PageCommand::Kind::NewFolder) {
        makeNewDataFolder(command.dataFolder, out);
        return kPageDone;
    }
    return makePage(command, out, err);
}

} // namespace

int main(int argc, char** argv)
{
    qInstallMessageHandler(dropChatter);
    limitAddressSpace();
    if (const std::optional<QByteArray> bytes = firstArgumentNotUtf8(argc, argv)) {
        std::fprintf(
            stderr,
            "tolvika-page: \"%s\" is not UTF-8 text; the tool takes names and texts in UTF-8 only (rename such a "
            "folder or file first); nothing was written\n",
            displayPath(pathFromBytes(*bytes)).toUtf8().constData());
        return kPageUsage;
    }
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromUtf8(argv[i]));

    // The text is measured and the page checked in widgets.
    const OffscreenApplication application(argv[0]);

    QTextStream out(stdout);
    QTextStream err(stderr);
    try {
        const PageCommand command = parseCommandLine(arguments);
        if (command.kind == PageCommand::Kind::Help) {
            out << kPageUsageText;
            return kPageDone;
        }
        return run(command, out, err);
    } catch (const EPageLetter& error) {
        out.flush();
        err << "tolvika-page: " << QString::fromUtf8(error.what()) << '\n';
        return kPageUsage;
    } catch (const EPageUsage& error) {
        out.flush();
        err << "tolvika-page: " << QString::fromUtf8(error.what()) << '\n' << kPageUsageText;
        return kPageUsage;
    } catch (const std::bad_alloc&) {
        out.flush();
        err << "tolvika-page: not enough memory to convert the sources; nothing was written\n";
        return kPageRefused;
    } catch (const std::exception& error) {
        out.flush();
        err << "tolvika-page: " << QString::fromUtf8(error.what()) << '\n';
        return kPageRefused;
    }
}
