// SPDX-License-Identifier: MIT
// The words the program shows, in the language chosen. Every text a user sees or a screen
// reader speaks is written in the code in Bulgarian, marked with N_ where it is defined,
// and looked up with Tr where it is shown; the catalogues (po/<language>.po) give each
// Bulgarian text its translation, and the build turns them into data inside the program.
// A text with numbers in it is a format: %1$s, %2$s, ... stand for them, so that a
// translation may put them in another order. Numbers themselves are never translated.
#pragma once

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

// Marks a text for the catalogues where it is defined; it stays the Bulgarian text.
#define N_(text) text

namespace korvanta {

struct LanguageInfo {
    std::string_view code; // "bg", "en"
    std::string_view name; // in the language itself: "Български", "English"
};

// Every language the program carries, Bulgarian first.
std::span<const LanguageInfo> Languages();

// Chooses a language by its code; false, changing nothing, for a code the program does not have.
bool SetLanguage(std::string_view code);
std::string_view CurrentLanguage();

// A Bulgarian text in the language chosen; the text itself where it is Bulgarian, or
// where no catalogue has it.
std::string_view Tr(std::string_view text);
// The same in a language given by its code.
std::string_view TrIn(std::string_view code, std::string_view text);

// `format` (already translated) with %1$s .. %9$s replaced by the arguments; "%%" is "%".
std::string Format(std::string_view format, std::span<const std::string_view> args);
std::string Format(std::string_view format, std::span<const std::string> args);
std::string Format(std::string_view format, std::initializer_list<std::string_view> args);
// Tr of the format, then Format.
std::string TrFormat(std::string_view format, std::initializer_list<std::string_view> args);

} // namespace korvanta
