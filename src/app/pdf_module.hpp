// The PDF formats of sarvelo-cli live in a module of their own, loaded only
// when a PDF is asked: linked into the program, Qt's libraries would be
// loaded at every start, a large share of the time of a short key.
#pragma once

#include "engine/table.hpp"
#include "interchange/formats.hpp"

// The module's file name, beside the program in the build tree, in
// <prefix>/<libdir>/sarvelo/modules once installed.
inline constexpr const char* kPdfModuleName = "libsarvelo_pdf.so";

extern "C" {
// Starts the offscreen application that measures the fonts (once); `argc`
// must outlive it.
void sarvelo_pdf_start(int* argc, char** argv);
void sarvelo_pdf_export(const sarvelo::ResultTable* table, int format,
                        const sarvelo::interchange::ExportOptions* options, sarvelo::interchange::Exported* out);
void sarvelo_pdf_stop();
}
