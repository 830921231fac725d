// Charts as images and PDF pages through the Qt canvas; usable without a
// display (the offscreen platform).
#pragma once

#include "plot/ChartDrawing.h"

#include <QImage>
#include <QSize>

#include <string>

namespace zeb {

// The chart fitted into an image of the given size (white background).
QImage RenderChartImage(const ChartInputs& in, QSize size, ChartDrawResult* result = nullptr);

bool SaveChartPng(const ChartInputs& in, const std::string& path, QSize size);
// One page of the chart's proportions, 6 inches wide, vector graphics.
bool SaveChartPdf(const ChartInputs& in, const std::string& path);

// A program without windows (the batch tool) gets an application object on
// the offscreen platform, which the fonts need; nothing happens when the
// process already has one.
void EnsureGuiApplication();

// Writes the chart by the file's extension: .png (size), .pdf, .wmf or .svg.
bool WriteChartFile(const std::string& path, const ChartInputs& in, QSize pngSize);

} // namespace zeb
