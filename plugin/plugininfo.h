#pragma once

// The plug-in's descriptive strings, shared by the exported entry points and
// the start-up log lines.
namespace PluginInfo {
inline constexpr char name[] = "Kestrel";
inline constexpr char description[] = "";
inline constexpr char author[] = "<i>Corvane</i>";
inline constexpr char helpFile[] = "index.html";
inline constexpr char version[] = "1.0.0-alpha";
inline constexpr char guiScript[] = "Kestrel.js";
inline constexpr char supportWebsite[] = "https://support.corvane-neuro.com/kestrel";
} // namespace PluginInfo
