// frmSettings: the configuration dialog. It loads the three settings into its controls
// when it opens and, however it is closed, writes them back and ends the program. There
// is no Cancel.
#include "saver/windows/frmSettings.h"

#include <memory>

#include "common/site.h"
#include "platform/services.h"
#include "platform/window.h"
#include "saver/host/mScreenSaver.h"
#include "saver/windows/layouts/layouts.h"
#include "saver/windows/settings_values.h"

namespace mt::windows {
namespace {

using mScreenSaver::ReadSetting;
using mScreenSaver::SettingsFilePath;
using mScreenSaver::WriteSetting;

class FrmSettings final : public mt::host::Form {
 public:
  void Load() override {
    if (window_) return;
    window_ = platform::CreateDialogWindow(frmSettingsLayout(), mScreenSaver::AssetFolderPath());
    window_->OnClick("CmdWebsite", [this] { CmdWebsite_Click(); });
    window_->OnClick("CmdClose", [this] { CmdClose_Click(); });
    window_->OnUnload([this] { Form_Unload(); });
    Form_Load();
  }

  void Show() override {
    if (window_) window_->Show();
  }

  void Unload() override {
    if (window_ && window_->IsOpen()) window_->Close();
  }

  uint32_t hWnd() override { return window_ ? window_->hWnd() : 0; }

 private:
  // The three reads in this order, each with the path built anew.
  void Form_Load() {
    auto& s = mScreenSaver::State();
    ReadSetting("soundPlay", "soundPlay", s.m_sSoundPlay, SettingsFilePath());
    window_->SetValue("CheckSound", SoundCheckFromText(s.m_sSoundPlay));

    ReadSetting("speed", "speed", s.m_sSpeed, SettingsFilePath());
    window_->SetValue("HScrollSpeed", SpeedFromText(s.m_sSpeed));

    ReadSetting("weapon", "weapon", s.m_sWeapon, SettingsFilePath());
    switch (WeaponOptionByNumber(s.m_sWeapon)) {
      case WeaponOption::Shotgun:
        window_->SetValue("OptionShotgun", 1);
        break;
      case WeaponOption::Flame:
        window_->SetValue("OptionFlame", 1);
        break;
      case WeaponOption::Rifle:
        window_->SetValue("OptionRifle", 1);
        break;
    }
  }

  // The browser opens beside the dialog; nothing is saved and the dialog stays as it is,
  // whatever the opener answers.
  void CmdWebsite_Click() { (void)mScreenSaver::OpenDocument(mt::SiteUrl()); }

  void CmdClose_Click() { window_->Close(); }

  // Every way of closing ends here: save, then end the program.
  void Form_Unload() {
    auto& s = mScreenSaver::State();
    s.m_sSpeed = SpeedTextFromBar(window_->Value("HScrollSpeed"));
    s.m_sSoundPlay = SoundTextFromCheck(window_->Value("CheckSound"));
    s.m_sWeapon = WeaponTextFromOptions(window_->Value("OptionShotgun") == 1,
                                        window_->Value("OptionFlame") == 1,
                                        window_->Value("OptionRifle") == 1);
    WriteSetting("soundPlay", "soundPlay", s.m_sSoundPlay, SettingsFilePath());
    WriteSetting("speed", "speed", s.m_sSpeed, SettingsFilePath());
    WriteSetting("weapon", "weapon", s.m_sWeapon, SettingsFilePath());
    platform::Services().EndProcess(0);
  }

  std::unique_ptr<platform::DialogWindow> window_;
};

}  // namespace

std::unique_ptr<mt::host::Form> CreateFrmSettings() {
  return std::make_unique<FrmSettings>();
}

}  // namespace mt::windows
