#include "tools/check/report_table.h"

#include <QStringList>
#include <algorithm>
#include <array>

namespace {

constexpr int kColumns = 5;
using Row = std::array<QString, kColumns>;
constexpr auto kColumnGap = "  ";
// What a row shows in a column that does not apply to it.
constexpr auto kNotApplicable = "-";

QString cell(const FileCheck& check)
{
    const QString word = statusWord(check.status);
    return check.value.isEmpty() ? word : word + QLatin1Char(' ') + check.value;
}

// "text: ..." for every note of the file.
void addNotes(QStringList& notes, const char* what, const FileCheck& check)
{
    for (const QString& note : check.notes)
        notes.append(QLatin1String(what) + QStringLiteral(": ") + note);
}

struct Tally {
    int files = 0;
    int ok = 0;
    int warnings = 0;
    int missing = 0;
    int failed = 0;

    void count(const FileCheck& check)
    {
        ++files;
        switch (check.status) {
        case CheckStatus::Ok: ++ok; break;
        case CheckStatus::Warning: ++warnings; break;
        case CheckStatus::Missing: ++missing; break;
        case CheckStatus::Failed: ++failed; break;
        }
    }
};

QString plural(int count, const char* one, const char* many)
{
    return QStringLiteral("%1 %2").arg(count).arg(QLatin1String(count == 1 ? one : many));
}

void writeRow(const Row& row, const std::array<qsizetype, kColumns>& widths, QTextStream& out)
{
    QString line;
    for (int column = 0; column < kColumns - 1; ++column)
        line += row[column].leftJustified(widths[column]) + QLatin1String(kColumnGap);
    line += row[kColumns - 1];
    out << line.trimmed() << '\n';
}

Row pageRow(const PageCheck& page)
{
    QStringList notes = page.notes;
    addNotes(notes, "text", page.text);
    addNotes(notes, "picture", page.picture);
    addNotes(notes, "sound", page.sound);
    return {page.name, cell(page.text), cell(page.picture), cell(page.sound), notes.join(QStringLiteral("; "))};
}

// The header, its rule and the rows, each column as wide as its widest cell.
void writeTable(const std::vector<Row>& rows, QTextStream& out)
{
    const Row header{QStringLiteral("page"), QStringLiteral("text"), QStringLiteral("picture"), QStringLiteral("sound"),
                     QStringLiteral("notes")};
    std::array<qsizetype, kColumns> widths{};
    for (int column = 0; column < kColumns; ++column) {
        widths[column] = header[column].size();
        for (const Row& row : rows)
            widths[column] = std::max(widths[column], row[column].size());
    }
    Row rule;
    for (int column = 0; column < kColumns; ++column)
        rule[column] = QString(column == kColumns - 1 ? header[column].size() : widths[column], QLatin1Char('-'));

    writeRow(header, widths, out);
    writeRow(rule, widths, out);
    for (const Row& row : rows)
        writeRow(row, widths, out);
}

} // namespace

QString statusWord(CheckStatus status)
{
    switch (status) {
    case CheckStatus::Ok: return QStringLiteral("ok");
    case CheckStatus::Warning: return QStringLiteral("WARN");
    case CheckStatus::Missing: return QStringLiteral("MISSING");
    case CheckStatus::Failed: return QStringLiteral("FAIL");
    }
    return QString();
}

void writeReport(const FolderCheck& result, QTextStream& out)
{
    std::vector<Row> rows;
    Tally tally;
    for (const PageCheck& page : result.pages) {
        rows.push_back(pageRow(page));
        tally.count(page.text);
        tally.count(page.picture);
        tally.count(page.sound);
    }
    const QString none = QLatin1String(kNotApplicable);
    rows.push_back(
        {QStringLiteral("help.txt"), cell(result.help), none, none, result.help.notes.join(QStringLiteral("; "))});
    rows.push_back(
        {QStringLiteral("data.txt"), cell(result.marker), none, none, result.marker.notes.join(QStringLiteral("; "))});
    tally.count(result.help);
    tally.count(result.marker);

    out << "Data folder: " << result.folder << "\n\n";
    writeTable(rows, out);
    out << '\n'
        << "Summary: " << tally.files << " files, " << tally.ok << " ok, "
        << plural(tally.warnings, "warning", "warnings") << ", " << tally.missing << " missing, " << tally.failed
        << " failed: "
        << (result.passed() ? "everything the program would show loads." : "the program would not show everything.")
        << '\n';
}

void writePageRows(const std::vector<PageCheck>& pages, QTextStream& out)
{
    std::vector<Row> rows;
    for (const PageCheck& page : pages)
        rows.push_back(pageRow(page));
    writeTable(rows, out);
}
