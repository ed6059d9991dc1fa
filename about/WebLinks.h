#pragma once

// The maker's addresses opened with the desktop's default programs; what
// those programs do (or that none is set up) is theirs to report.
void OpenMakerWebSite();
void OpenSupportMail();
