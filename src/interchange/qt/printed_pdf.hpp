// The printed layouts as PDF: Qt measures the fonts, breaks the lines and
// writes the pages; what goes where is decided by interchange/printed.hpp.
#pragma once

#include <memory>
#include <string>

#include "interchange/formats.hpp"
#include "interchange/printed.hpp"

class QGuiApplication;

namespace sarvelo::interchange {

// A4 pages: the title above the key, each label hanging in the margin, the
// lead wrapped under itself, a dot leader to its end at the right margin,
// taxa in italics, the page number below. Needs a QGuiApplication.
std::string printedPdf(const PrintedLayout& layout, const std::string& title);

// exportKey with the PDF formats too; without a QGuiApplication they fail
// with a message.
Exported exportKeyWithPdf(const ResultTable& table, ExportFormat format, const ExportOptions& options);

// For a program without windows (sarvelo-cli): an application on the
// offscreen platform unless one is named, so that fonts can be measured.
std::unique_ptr<QGuiApplication> applicationForPrinting(int& argc, char** argv);

}  // namespace sarvelo::interchange
