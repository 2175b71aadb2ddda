// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

// The colours the window designs use, as &H00BBGGRR values (red in the low byte). Values with
// the top bit set are system colours, taken from the application's palette.
namespace quintara::form_controls::colours {

inline constexpr std::uint32_t kBlack = 0x000000;
inline constexpr std::uint32_t kWhite = 0xFFFFFF;
inline constexpr std::uint32_t kRed = 0x0000FF;
inline constexpr std::uint32_t kNavy = 0x800000;
inline constexpr std::uint32_t kLightGrey = 0xE0E0E0;
inline constexpr std::uint32_t kSilver = 0xC0C0C0;
inline constexpr std::uint32_t kLightRed = 0x8080FF;
inline constexpr std::uint32_t kLightGreen = 0xC0FFC0;

inline constexpr std::uint32_t kSystemFlag = 0x80000000;
inline constexpr std::uint32_t kSystemWindowBackground = 0x80000005;
inline constexpr std::uint32_t kSystemWindowText = 0x80000008;
inline constexpr std::uint32_t kSystemButtonFace = 0x8000000F;

}  // namespace quintara::form_controls::colours
