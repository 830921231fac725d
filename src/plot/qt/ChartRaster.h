// Charts as images and PDF pages through the Qt canvas; usable without a
// display (the offscreen platform).
#pragma once

#include "platform/AtomicFile.h"
#include "plot/ChartDrawing.h"

#include <QByteArray>
#include <QImage>
#include <QSize>

#include <string>

namespace zeb {

// The chart fitted into an image of the given size (white background).
QImage RenderChartImage(const ChartInputs& in, QSize size, ChartDrawResult* result = nullptr);

// The chart as the bytes of a PNG file, and of a PDF file: one page of the
// chart's proportions, 6 inches wide, vector graphics. Empty when Qt could
// not make them.
QByteArray ChartPngBytes(const ChartInputs& in, QSize size);
QByteArray ChartPdfBytes(const ChartInputs& in);

// The files are made in memory and written as every other file of the
// program: a temporary file renamed into place, so a failure (a full disk, a
// write-protected file) leaves an existing file as it was.
WriteResult SaveChartPng(const ChartInputs& in, const std::string& path, QSize size);
WriteResult SaveChartPdf(const ChartInputs& in, const std::string& path);

// A program without windows (the batch tool) gets an application object on
// the offscreen platform, which the fonts need; nothing happens when the
// process already has one.
void EnsureGuiApplication();

} // namespace zeb
