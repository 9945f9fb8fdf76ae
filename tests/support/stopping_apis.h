#pragma once
// A machine whose program stops after its N-th platform call, as if the process ended there (a
// crash, a power cut): the calls of the stores and of the backup reach the machine until then,
// none after (each fails and changes nothing). A journal line being appended by the call after
// the last one is left cut in half, as a write the stop broke off.
#include <cstddef>
#include <memory>
#include <string>

#include "settings/backup/backup_platform.h"
#include "settings/platform_api.h"

namespace varnex::testing {

class StoppingApis {
 public:
  StoppingApis(settings::StoreApis inner, settings::BackupPlatform& platform);
  ~StoppingApis();

  settings::StoreApis apis();
  settings::BackupPlatform& platform();

  // Lets this many more calls through, then stops; runUnlimited() lets every call through.
  void stopAfter(std::size_t calls);
  void runUnlimited();
  bool stopped() const { return limited_ && used_ >= limit_; }
  // Whether the next call may reach the machine; counts it. The call made when the limit is
  // reached (the first one refused) is the one a cut append belongs to.
  bool admit();
  bool cutsThisCall() const { return limited_ && used_ == limit_ + 1; }

 private:
  class Registry;
  class Profiles;
  class Files;
  class Shell;
  class Platform;
  std::unique_ptr<Registry> registry_;
  std::unique_ptr<Profiles> profiles_;
  std::unique_ptr<Files> files_;
  std::unique_ptr<Shell> shell_;
  std::unique_ptr<Platform> platform_;
  bool limited_ = false;
  std::size_t limit_ = 0;
  std::size_t used_ = 0;
};

}  // namespace varnex::testing
