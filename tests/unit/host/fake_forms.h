#pragma once
// Window objects for host tests: they record what the host asks of them.
#include <string>
#include <vector>

#include "saver/host/forms.h"

namespace mt::test {

class RecordingForm : public mt::host::PreviewForm {
 public:
  RecordingForm(std::string name, std::vector<std::string>* log, uint32_t hwnd)
      : name_(std::move(name)), log_(log), hwnd_(hwnd) {}
  void Load() override { log_->push_back(name_ + ".Load"); }
  void Show() override { log_->push_back(name_ + ".Show"); }
  void Unload() override { log_->push_back(name_ + ".Unload"); }
  uint32_t hWnd() override { return hwnd_; }
  platform::gdi::Handle Picture1DC() override { return 0; }

 private:
  std::string name_;
  std::vector<std::string>* log_;
  uint32_t hwnd_;
};

struct RecordingForms {
  std::vector<std::string> log;
  RecordingForm saver{"frmSaver", &log, 101};
  RecordingForm settings{"frmSettings", &log, 102};
  RecordingForm preview{"frmPreview", &log, 103};
  mt::host::Forms forms() { return {&saver, &settings, &preview}; }
};

}  // namespace mt::test
