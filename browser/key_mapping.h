// Turns a typed character, as its Windows-1251 byte, into the capital
// Cyrillic letter whose page it asks for: a Cyrillic letter directly, a Latin
// character by the position of its key on the Russian keyboard. Pure
// functions; what happens with the letter is the browser's business.
#pragma once

#include <cstdint>

// The letter key of a character that stands for no letter.
inline constexpr std::uint8_t kNoLetter = '*';
// Ё lies outside the block of the other capitals in Windows-1251.
inline constexpr std::uint8_t kCapitalYo = 0xA8;
inline constexpr std::uint8_t kSmallYo = 0xB8;

// The key as the handler rewrites it in place: small Cyrillic letters become
// capitals, Latin capitals become small letters, anything else is unchanged.
std::uint8_t foldKey(std::uint8_t key);

// The Windows-1251 capital (0xC0..0xDF, or CapitalYo) that the key stands
// for, or NoLetter.
std::uint8_t letterForKey(std::uint8_t key);
// The same for a key that foldKey has already folded, which the key handler
// has done anyway; folding again would change nothing.
std::uint8_t letterForFoldedKey(std::uint8_t folded);

// True for the bytes letterForKey can return other than NoLetter.
bool isCapitalLetter(std::uint8_t byte);
