// The generator's texts reach the folder as Windows-1251 with CR LF, and a
// character outside that code page stops the build instead of becoming "?".
#include "platform/codepage/windows1251.h"
#include "tools/content/memo_fit.h"

#include "platform/exception/exception.h"

#include <gtest/gtest.h>

// Cyrillic letters, Ё and the typographic marks the help text uses map to
// their single Windows-1251 bytes; every line ends in CR LF.
TEST(Windows1251, ConvertsLettersAndMarksWithCrLf)
{
    EXPECT_EQ(cp1251::windows1251Lines({"Аа", "Ёж — «Я»…"}), "\xC0\xE0\r\n\xA8\xE6 \x97 \xAB\xDF\xBB\x85\r\n");
    EXPECT_EQ(cp1251::windows1251Lines({}), "");
    EXPECT_EQ(cp1251::windows1251Lines({""}), "\r\n");
}

// A character with no Windows-1251 form, or a line break inside a line, is
// an error naming the text.
TEST(Windows1251, RefusesWhatTheProgramCouldNotShow)
{
    EXPECT_THROW(cp1251::toWindows1251("614 × 443"), Exception);
    EXPECT_THROW(cp1251::toWindows1251("🍉"), Exception);
    EXPECT_THROW(cp1251::windows1251Lines({"one\ntwo"}), Exception);
    try {
        cp1251::toWindows1251("Ура ✓");
        ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
        EXPECT_NE(e.Message().find("Ура"), std::string::npos);
    }
}

// The fit check passes two short lines and refuses a third line or a line
// wider than the text area.
TEST(MemoFit, RefusesTextThatWouldNotShowWhole)
{
    EXPECT_NO_THROW(content::checkFitsMemo({"Аа", "Арбуз"}));
    EXPECT_THROW(content::checkFitsMemo({"Аа", "Арбуз", "Ещё"}), Exception);
    EXPECT_THROW(content::checkFitsMemo({"Очень длинная строчка, которая не поместится"}), Exception);
    EXPECT_LT(content::memoLineWidth("Арбуз"), content::kMemoTextWidth);
}
