#pragma once
// Character types of the system ANSI code page, as the locale's CT_CTYPE3 table reports them.
#include "vcl/Types.h"

inline constexpr WORD C3_NONSPACING = 0x0001;
inline constexpr WORD C3_DIACRITIC = 0x0002;
inline constexpr WORD C3_VOWELMARK = 0x0004;
inline constexpr WORD C3_SYMBOL = 0x0008;
inline constexpr WORD C3_KATAKANA = 0x0010;
inline constexpr WORD C3_HIRAGANA = 0x0020;
inline constexpr WORD C3_HALFWIDTH = 0x0040;
inline constexpr WORD C3_FULLWIDTH = 0x0080;
inline constexpr WORD C3_IDEOGRAPH = 0x0100;
inline constexpr WORD C3_KASHIDA = 0x0200;
inline constexpr WORD C3_LEXICAL = 0x0400;
inline constexpr WORD C3_ALPHA = 0x8000;

// Every character of a single-byte code page is half-width: letters, digits and the underscore add C3_ALPHA,
// punctuation and symbols C3_SYMBOL; blanks and control characters are C3_SYMBOL alone.
WORD GetCharType3(unsigned char Byte);

// Lower-cases Length bytes in place by the characters of the system ANSI code page; a character whose
// small form the code page lacks stays as it is. Returns Length.
DWORD CharLowerBuffA(char* Buffer, DWORD Length);
// Letters and digits of the system ANSI code page; the underscore and punctuation are neither.
BOOL IsCharAlphaNumericA(char Ch);
