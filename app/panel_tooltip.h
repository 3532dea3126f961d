#pragma once
// What the panel item's tooltip says: the window's figures in its own texts, and a run's progress.
#include <QString>
#include <optional>

#include "app/memory_figures.h"

namespace kelvane::app {

// The captions beside the figures in the window.
inline constexpr const char* kTotalCaption = "Total :";
inline constexpr const char* kUsedCaption = "Used :";
inline constexpr const char* kFreeCaption = "Free :";
inline constexpr const char* kPercentCaption = "Free Memory In Percent";

// One line per figure, the per cent last; while a run goes on, `runPercent` (0..100) adds a line.
QString PanelToolTip(const ShownFigures& shown, std::optional<int> runPercent = std::nullopt);

// The share the icon draws, from the window's per cent text ("37 %"); 0 when it holds no number.
int PercentFromText(const QString& percentText);

// The run indicator's progress as a whole per cent; 0 for an indicator with no range.
int RunPercent(float value, float max);

}  // namespace kelvane::app
