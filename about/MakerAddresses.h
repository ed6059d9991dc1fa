#pragma once

// The maker's addresses, one place for the printed footer, the about box and
// the Help menu's web link.
inline constexpr const char *kMakerName = "Halvenor Software";
inline constexpr const char *kMakerWebAddress = "https://www.halvenor.com/vistrano";
inline constexpr const char *kMakerSupportEmail = "support@halvenor.com";
