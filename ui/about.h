// The program's version and the team's names and addresses, shown in the About box and opened
// from the Help menu and the update check.
#pragma once

#include "base/product.h"

#include <string_view>

// The build passes the project's version (CMakeLists.txt), which the package carries too.
constexpr int kVersionMajor = FW_VERSION_MAJOR;
constexpr int kVersionMinor = FW_VERSION_MINOR;
constexpr int kVersionBuild = FW_VERSION_BUILD;

constexpr char kAboutAuthor[] = "Facetwright team";
constexpr char kWebSiteUrl[] = "https://" FW_PRODUCT_HOST "/";
// The update check reads the latest release from this file and shows the notes page on download.
constexpr char kUpdateUrl[] = "https://" FW_PRODUCT_HOST "/downloads/LatestVersion.txt";
constexpr char kReleaseNotesUrl[] = "https://" FW_PRODUCT_HOST "/releasenotes.html";
constexpr char kContactAddress[] = "team@" FW_PRODUCT_HOST;
constexpr char kContactUrl[] = "mailto:team@" FW_PRODUCT_HOST;

// The mail link must lead to the address the box shows.
static_assert(std::string_view(kContactUrl).substr(7) == kContactAddress &&
                  std::string_view(kContactUrl).substr(0, 7) == "mailto:",
              "the contact link and the shown address differ");
