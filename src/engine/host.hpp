// What a processing run needs from whoever runs it: a window, the command-line
// program or a test. Every call has a quiet default.
#pragma once

#include <string>

namespace sarvelo {

class Host {
public:
    virtual ~Host() = default;
    virtual void setProgressMaximum(int /*maximum*/) {}
    virtual void setProgress(int /*position*/) {}
    // Lets pending interface events be handled (once per determination row).
    virtual void letEventsThrough() {}
    // A Yes/No confirmation; true for yes.
    virtual bool askYesNo(const std::string& /*title*/, const std::string& /*text*/) { return false; }
    // A message box with a single OK button.
    virtual void showMessage(const std::string& /*text*/) {}
};

}  // namespace sarvelo
