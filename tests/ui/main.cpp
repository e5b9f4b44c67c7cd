// Widget tests run without a display: one application object for the whole run.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "ui/translations.hpp"

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    // What the user sees: Qt's own buttons and dialogs in French.
    sarvelo::installFrenchTranslations(app);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
