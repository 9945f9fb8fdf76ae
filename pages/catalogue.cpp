#include "pages/catalogue.h"

namespace varnex::pages {

std::unique_ptr<Catalogue> buildCatalogue(app::MainWindow& window) {
  // Braced initialisation constructs the members left to right, in place.
  return std::unique_ptr<Catalogue>(new Catalogue{BootPage(window), SystemPage(window)});
}

}  // namespace varnex::pages
