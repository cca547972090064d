// The one Windows-1251 codec: its decoder and both of its encoders agree on
// every byte, and each caller's rule for what has no counterpart holds.
#include "platform/codepage/windows1251.h"

#include <gtest/gtest.h>

namespace {

// The one byte that glibc's table leaves without a character.
constexpr unsigned char kUnassignedByte = 0x98;

} // namespace

// Decoding shows a byte with no character as U+FFFD and goes on, or, where
// the caller asks, refuses the whole text; other bytes decode alike either way.
TEST(Windows1251Codec, UnassignedByteIsReplacedOrRefused)
{
    const QByteArray bytes("\xC0\x98\xE0\xA8\xB8 z", 7);
    EXPECT_EQ(cp1251::decode(bytes), QStringLiteral("А\uFFFDаЁё z"));
    EXPECT_EQ(cp1251::decode(bytes, cp1251::UnassignedByte::Replace), QStringLiteral("А\uFFFDаЁё z"));
    EXPECT_FALSE(cp1251::decode(bytes, cp1251::UnassignedByte::Refuse).has_value());

    const QByteArray clean("\xC0\xE0\x00\xB9", 4);
    EXPECT_EQ(cp1251::decode(clean, cp1251::UnassignedByte::Refuse),
              QStringLiteral("Аа") + QChar(0) + QStringLiteral("№"));
    EXPECT_EQ(cp1251::decode(QByteArray()), QString());
}

// Every byte with a character comes back from that character, through the
// one-character encoder and through the text encoder, so the key handler and
// the generators write what the loader reads.
TEST(Windows1251Codec, EveryAssignedByteRoundTrips)
{
    for (int value = 1; value < 256; ++value) {
        if (value == kUnassignedByte)
            continue;
        const auto byte = static_cast<char>(value);
        const QString text = cp1251::decode(QByteArray(1, byte));
        ASSERT_EQ(text.size(), 1) << value;
        ASSERT_NE(text[0], QChar::ReplacementCharacter) << value;
        EXPECT_EQ(cp1251::encodeChar(text[0].unicode()), static_cast<std::uint8_t>(value)) << value;
        EXPECT_EQ(cp1251::toWindows1251(text.toStdString()), std::string(1, byte)) << value;
    }
    EXPECT_EQ(cp1251::decode(QByteArray(1, static_cast<char>(kUnassignedByte))), QStringLiteral("\uFFFD"));
}

// A character with no byte is "none" to the key handler and an error naming
// it and its place to the generators; bytes that are not UTF-8 are an error
// of another kind.
TEST(Windows1251Codec, CharacterWithoutByteIsNoneOrNamedError)
{
    EXPECT_FALSE(cp1251::encodeChar(U'×').has_value());
    EXPECT_FALSE(cp1251::encodeChar(U'🍉').has_value());
    EXPECT_FALSE(cp1251::encodeChar(0xFFFD).has_value());
    try {
        cp1251::toWindows1251("Ёж ×");
        ADD_FAILURE() << "no error";
    } catch (const cp1251::EUnmappableCharacter& e) {
        EXPECT_EQ(e.character(), U'×');
        EXPECT_EQ(e.position(), 4u);
        EXPECT_NE(e.Message().find("U+00D7"), std::string::npos) << e.Message();
    }
    try {
        cp1251::toWindows1251("ok \xC0 no");
        ADD_FAILURE() << "no error";
    } catch (const cp1251::EUnmappableCharacter&) {
        ADD_FAILURE() << "bytes that are not UTF-8 taken for a character";
    } catch (const Exception& e) {
        EXPECT_NE(e.Message().find("Not UTF-8 at byte 4"), std::string::npos) << e.Message();
    }
}
