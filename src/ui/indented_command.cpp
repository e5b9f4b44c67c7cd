#include "ui/indented_command.hpp"

#include <QTextCursor>
#include <QTextEdit>

#include "ui/main_window.hpp"
#include "ui/qt_host.hpp"

namespace sarvelo {

void convertIndentedWorkingText(TSarvelo& window) {
    if (window.running()) return;
    const IndentedKey key = convertIndentedKey(window.workingLines());
    QString message = QString::fromStdString(key.message);
    if (key.converted) {
        QString converted;
        for (const std::string& line : key.lines) converted += QString::fromStdString(line) + QLatin1Char('\n');
        // One edit block: a single undo gives the user's text back.
        QTextCursor cursor(window.memo1()->document());
        cursor.beginEditBlock();
        cursor.select(QTextCursor::Document);
        cursor.insertText(converted);
        cursor.endEditBlock();
        window.memo1()->setTextCursor(QTextCursor(window.memo1()->document()));
        setIndentedKeyLayout(window.params());
        window.paramsChanged();
        message += QLatin1Char('\n') + QString::fromUtf8(kMsgUndoConversion);
    }
    showOkMessage(&window, message);
}

}  // namespace sarvelo
