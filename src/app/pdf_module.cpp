#include "app/pdf_module.hpp"

#include <memory>

#include <QGuiApplication>

#include "interchange/qt/printed_pdf.hpp"

namespace {

std::unique_ptr<QGuiApplication> application;

}  // namespace

extern "C" {

void sarvelo_pdf_start(int* argc, char** argv) {
    if (!application) application = sarvelo::interchange::applicationForPrinting(*argc, argv);
}

void sarvelo_pdf_export(const sarvelo::ResultTable* table, int format,
                        const sarvelo::interchange::ExportOptions* options, sarvelo::interchange::Exported* out) {
    *out = sarvelo::interchange::exportKeyWithPdf(*table, static_cast<sarvelo::interchange::ExportFormat>(format),
                                                   *options);
}

void sarvelo_pdf_stop() { application.reset(); }

}
