// MarrowtideEmail: the referral window. It has no command line and no files of its own;
// it shows the form and ends when the form is unloaded.
#include <string>

#include "common/product.h"
#include "platform/system.h"
#include "platform/window.h"
#include "referral/FrmEmail.h"

int main() {
  const std::string sep(1, platform::PathSeparator());
  std::string folder = platform::ProgramFolder();
  if (!folder.empty() && folder.back() == sep[0]) folder.pop_back();
  const std::string assets = folder + sep + mt::AssetSubfolder(sep[0]);

  mt::referral::FrmEmail form;
  form.Load(assets);
  platform::RunUntilNoWindowOpen();
  return 0;
}
