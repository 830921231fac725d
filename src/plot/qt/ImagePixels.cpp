#include "plot/qt/ImagePixels.h"

#include <QImage>
#include <QPaintEngine>
#include <QPainter>

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace zeb {

ImagePixels ImagePixels::Of(QPainter& painter) {
    ImagePixels pixels;
    QPaintDevice* device = painter.device();
    QPaintEngine* engine = painter.paintEngine();
    if (!painter.isActive() || !device || !engine || device->devType() != QInternal::Image ||
        engine->type() != QPaintEngine::Raster)
        return pixels;
    const QPainter::CompositionMode mode = painter.compositionMode();
    if (mode != QPainter::CompositionMode_SourceOver && mode != QPainter::CompositionMode_Source) return pixels;
    if (painter.opacity() != 1.0 || painter.hasClipping()) return pixels;
    auto* image = static_cast<QImage*>(device);
    // Both formats hold an opaque colour as 0xffRRGGBB, as the painter writes it.
    if (image->format() != QImage::Format_ARGB32_Premultiplied && image->format() != QImage::Format_RGB32)
        return pixels;
    // The painter made the image its own when it began (no copy shares the
    // memory), so this is the memory it draws into.
    pixels.bits_ = image->bits();
    pixels.bytesPerLine_ = image->bytesPerLine();
    pixels.width_ = image->width();
    pixels.height_ = image->height();
    if (!pixels.bits_ || pixels.width_ <= 0 || pixels.height_ <= 0) pixels = ImagePixels();
    return pixels;
}

void ImagePixels::fill(const QRect& r, QRgb opaque, const QRect& clip) const {
    const int left = std::max({r.left(), clip.left(), 0}), right = std::min({r.right(), clip.right(), width_ - 1});
    const int top = std::max({r.top(), clip.top(), 0}), bottom = std::min({r.bottom(), clip.bottom(), height_ - 1});
    if (left > right || top > bottom) return;
    const int n = right - left + 1;
#if defined(__SSE2__)
    const __m128i four = _mm_set1_epi32(static_cast<int>(opaque));
#endif
    for (int y = top; y <= bottom; ++y) {
        QRgb* p = reinterpret_cast<QRgb*>(bits_ + y * bytesPerLine_) + left;
        int i = 0;
#if defined(__SSE2__)
        for (; i + 4 <= n; i += 4) _mm_storeu_si128(reinterpret_cast<__m128i*>(p + i), four);
#endif
        for (; i < n; ++i) p[i] = opaque;
    }
}

} // namespace zeb
