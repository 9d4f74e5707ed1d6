// The program's version and the team's names and addresses, shown in the About box and opened
// from the Help menu and the update check.
#pragma once

#include <string_view>

constexpr int kVersionMajor = 2;
constexpr int kVersionMinor = 61;
constexpr int kVersionBuild = 318;

constexpr char kAboutAuthor[] = "Facetwright team";
constexpr char kWebSiteUrl[] = "https://facetwright.example.org/";
// The update check reads the latest release from this file and shows the notes page on download.
constexpr char kUpdateUrl[] = "https://facetwright.example.org/downloads/LatestVersion.txt";
constexpr char kReleaseNotesUrl[] = "https://facetwright.example.org/releasenotes.html";
constexpr char kContactAddress[] = "team@facetwright.example.org";
constexpr char kContactUrl[] = "mailto:team@facetwright.example.org";

// The mail link must lead to the address the box shows.
static_assert(std::string_view(kContactUrl).substr(7) == kContactAddress &&
                  std::string_view(kContactUrl).substr(0, 7) == "mailto:",
              "the contact link and the shown address differ");
