#pragma once
// Printing of the editor's text: the options record the print dialog fills, and the expansion of
// the "$name$" placeholders of header and footer lines. TqzCustomEdit::PrintText does the printing.
#include <cstdint>
#include <string>

#include "vcl/Classes.h"
#include "vcl/StdCtrls.h"
#include "vcl/Types.h"

enum TqzMarginUnits : std::uint8_t { muPixels, muThousandthsOfInches, muMillimeters };

struct TqzPrintOptions {
  bool SelectedOnly = false;
  bool Highlight = false;
  bool Reserved = false;  // not read by printing
  bool Monochrome = false;
  int Copies = 1;
  TqzMarginUnits MarginUnits = muPixels;
  TRect Margins;     // left, top, right, bottom in MarginUnits
  TRect PrintRange;  // left = first column, top = first line, right = last column, bottom = last line
  std::string Title;
  TStrings* Header = nullptr;  // not owned
  TStrings* Footer = nullptr;  // not owned
};

// What the placeholders of one page stand for.
struct TqzPrintPlaceholders {
  int PageNumber = 0;
  std::string Title;
  std::string Date;
  std::string Time;
};

std::string ExpandPrintPlaceholders(const std::string& Line, const TqzPrintPlaceholders& Values);

// A header or footer line's alignment (left, right, centred between the margins) as its object value.
TObject* PrintAlignmentObject(TAlignment Alignment);
TAlignment PrintAlignmentOf(TObject* Object);
