#include "circularplot/edgelayer.h"

#include <QChart>
#include <QGraphicsSceneHoverEvent>
#include <QPainter>
#include <QSplineSeries>

#include <algorithm>
#include <cmath>

using namespace QtCharts;

namespace {

// Each cubic half of a curve is flattened into this many segments for hit
// testing; over the longest edges (a diameter) a segment bows by less than a
// quarter of a pixel.
constexpr int kSegmentsPerCubic = 16;
constexpr int kSegments = 2 * kSegmentsPerCubic;
constexpr qreal kGridCell = 16.0;
// A pen of width 0 or 1 is still a visible line; Qt's hover shape for it is
// at least this wide on each side.
constexpr qreal kMinimumHitRadius = 2.0;
constexpr std::size_t kMaximumPictures = 4;

QPointF cubicPoint(const QPointF& a, const QPointF& b, const QPointF& c, const QPointF& d, qreal t)
{
    const qreal u = 1.0 - t;
    return u * u * u * a + 3.0 * u * u * t * b + 3.0 * u * t * t * c + t * t * t * d;
}

qreal distanceToSegment(const QPointF& p, const QPointF& a, const QPointF& b)
{
    const QPointF ab = b - a;
    const qreal length2 = QPointF::dotProduct(ab, ab);
    qreal t = length2 > 0.0 ? QPointF::dotProduct(p - a, ab) / length2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    const QPointF d = p - (a + t * ab);
    return std::sqrt(QPointF::dotProduct(d, d));
}

qreal hitRadius(const QPen& pen)
{
    return std::max(pen.widthF() / 2.0, kMinimumHitRadius);
}

} // namespace

EdgeLayer::EdgeLayer(QChart* chart)
    : QGraphicsObject(chart)
    , m_chart(chart)
{
    setAcceptHoverEvents(true);
    setAcceptedMouseButtons(Qt::NoButton);
    setFlag(QGraphicsItem::ItemHasNoContents, false);
    connect(chart, &QChart::plotAreaChanged, this, [this] { updateGeometry(); });
}

EdgeLayer::~EdgeLayer() = default;

void EdgeLayer::setReferenceSeries(QXYSeries* series)
{
    m_reference = series;
    updateGeometry();
}

void EdgeLayer::setEdges(const QVector<QSplineSeries*>& edges)
{
    m_edges = edges;
    m_visibilityKnown = false;
    m_highlighted = nullptr;
    m_highlightedIndex = -1;
    m_hovered = nullptr;
    ++m_generation;
    updateGeometry();
}

void EdgeLayer::clearEdges()
{
    m_edges.clear();
    m_curves.clear();
    m_highlighted = nullptr;
    m_highlightedIndex = -1;
    m_hovered = nullptr;
    m_pictures.clear();
    m_grid.clear();
    m_gridGeneration = 0;
    ++m_generation;
    update();
}

void EdgeLayer::refresh()
{
    ++m_generation;
    m_pictures.erase(std::remove_if(m_pictures.begin(), m_pictures.end(),
                         [this](const Picture& p) { return p.key.generation != m_generation; }),
        m_pictures.end());
    update();
}

void EdgeLayer::visibilityChanged()
{
    m_visibilityKnown = false;
    update();
}

void EdgeLayer::setHighlighted(QSplineSeries* edge, const QPen& underPen)
{
    m_highlighted = edge;
    m_highlightedIndex = m_edges.indexOf(edge);
    m_underPen = underPen;
    update();
}

void EdgeLayer::clearHighlight()
{
    m_highlighted = nullptr;
    m_highlightedIndex = -1;
    update();
}

// The plot area's pixels of a value, and the curve through the three points
// of every edge, with the same arithmetic as Qt Charts' spline: the domain
// maps (x - minX) * deltaX and (y - minY) * -deltaY + height, and the control
// points solve the spline's tridiagonal system, which for three points is
// c1 = (7 P0 + 6 P1 - P2) / 12, c2 = (P0 + 6 P1 - P2) / 6,
// c3 = (-P0 + 6 P1 + P2) / 6, c4 = (-P0 + 6 P1 + 7 P2) / 12,
// computed in Qt's order of operations so that the pixels agree.
void EdgeLayer::updateGeometry()
{
    prepareGeometryChange();
    const QRectF area = m_chart->plotArea();
    setPos(area.topLeft());
    m_rect = QRectF(QPointF(0.0, 0.0), area.size());
    m_curves.clear();
    m_pictures.clear();
    m_grid.clear();
    m_gridGeneration = 0;
    update();
    if (!m_reference || m_edges.isEmpty() || area.isEmpty())
        return;

    const QPointF topLeft = m_chart->mapToValue(area.topLeft(), m_reference);
    const QPointF bottomRight = m_chart->mapToValue(area.bottomRight(), m_reference);
    m_minX = topLeft.x();
    m_minY = bottomRight.y();
    const qreal spanX = bottomRight.x() - topLeft.x();
    const qreal spanY = topLeft.y() - bottomRight.y();
    if (!(spanX > 0.0) || !(spanY > 0.0))
        return;
    m_deltaX = area.width() / spanX;
    m_deltaY = area.height() / spanY;
    const qreal height = area.height();
    auto toPixel = [&](const QPointF& value) {
        return QPointF((value.x() - m_minX) * m_deltaX, (value.y() - m_minY) * -m_deltaY + height);
    };
    auto controls = [](qreal p0, qreal p1, qreal p2, qreal* c) {
        const qreal v0 = p0 + 2 * p1;
        const qreal v1 = (8 * p1 + p2) / 2.0;
        qreal r0 = v0 / 2.0;
        const qreal temp = 1 / 2.0;
        const qreal b = 3.5 - temp;
        const qreal r1 = (v1 - r0) / b;
        r0 -= temp * r1;
        c[0] = r0;
        c[1] = 2 * p1 - r1;
        c[2] = r1;
        c[3] = (p2 + r1) / 2;
    };

    m_curves.resize(std::size_t(m_edges.size()));
    for (int i = 0; i < m_edges.size(); ++i) {
        const QVector<QPointF> points = m_edges[i]->pointsVector();
        Curve& curve = m_curves[std::size_t(i)];
        if (points.size() != 3) {
            curve = Curve();
            continue;
        }
        const QPointF p0 = toPixel(points[0]);
        const QPointF p1 = toPixel(points[1]);
        const QPointF p2 = toPixel(points[2]);
        qreal cx[4];
        qreal cy[4];
        controls(p0.x(), p1.x(), p2.x(), cx);
        controls(p0.y(), p1.y(), p2.y(), cy);
        curve = {p0, {cx[0], cy[0]}, {cx[1], cy[1]}, p1, {cx[2], cy[2]}, {cx[3], cy[3]}, p2};
    }
}

QPainterPath EdgeLayer::path(int edge) const
{
    const Curve& c = m_curves[std::size_t(edge)];
    QPainterPath path(c.p0);
    path.cubicTo(c.c1, c.c2, c.p1);
    path.cubicTo(c.c3, c.c4, c.p2);
    return path;
}

QPointF EdgeLayer::curvePoint(int edge, double t) const
{
    const Curve& c = m_curves[std::size_t(edge)];
    return t < 1.0 ? cubicPoint(c.p0, c.c1, c.c2, c.p1, t) : cubicPoint(c.p1, c.c3, c.c4, c.p2, t - 1.0);
}

QPen EdgeLayer::pen(int edge, bool faded) const
{
    if (faded && edge == m_highlightedIndex)
        return m_underPen;
    return m_edges[edge]->pen();
}

quint64 EdgeLayer::visibilitySignature()
{
    if (!m_visibilityKnown) {
        m_visibility = computeVisibilitySignature();
        m_visibilityKnown = true;
    }
    return m_visibility;
}

quint64 EdgeLayer::computeVisibilitySignature() const
{
    // FNV-1a over the visible flags, one bit per edge.
    quint64 hash = 1469598103934665603ULL;
    quint64 word = 0;
    for (int i = 0; i < m_edges.size(); ++i) {
        word = (word << 1) | (m_edges[i]->isVisible() ? 1U : 0U);
        if (i % 64 == 63 || i == m_edges.size() - 1) {
            hash = (hash ^ word) * 1099511628211ULL;
            word = 0;
        }
    }
    return hash ^ quint64(m_edges.size());
}

void EdgeLayer::renderPlain(QImage& image, const QPointF& offset, bool antialiased, bool faded)
{
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, antialiased);
    painter.translate(offset);
    painter.setBrush(Qt::NoBrush);
    for (int i = 0; i < m_edges.size(); ++i) {
        if (!m_edges[i]->isVisible())
            continue;
        painter.setPen(pen(i, faded));
        painter.drawPath(path(i));
    }
    ++m_renderCount;
}

// When every visible edge is drawn in translucent black, as in the default
// look, the normal and the faded picture come from one pass: drawn onto white
// in multiply mode with a colour whose green part darkens by the pen's alpha
// and whose red part darkens by the faded alpha, the green channel holds the
// normal picture's coverage and the red channel the faded one's.
bool EdgeLayer::renderBoth(const QPointF& offset, qreal ratio, bool antialiased, quint64 visibility)
{
    if (!m_fadedColor.isValid() || m_fadedColor.rgb() != qRgb(0, 0, 0))
        return false;
    const int fadedAlpha = m_fadedColor.alpha();
    QVector<QColor> colors(m_edges.size());
    for (int i = 0; i < m_edges.size(); ++i) {
        if (!m_edges[i]->isVisible())
            continue;
        const QPen pen = m_edges[i]->pen();
        const QColor color = pen.color();
        if (pen.style() != Qt::SolidLine || pen.brush().style() != Qt::SolidPattern || color.rgb() != qRgb(0, 0, 0)
            || color.alpha() < fadedAlpha || color.alpha() == 0)
            return false;
        const int alpha = color.alpha();
        const int red = (255 * (alpha - fadedAlpha) + alpha / 2) / alpha;
        if (qRed(qPremultiply(qRgba(red, 0, 0, alpha))) != alpha - fadedAlpha)
            return false;
        colors[i] = QColor(red, 0, 0, alpha);
    }

    QImage both(m_rect.size().toSize() * ratio + QSize(2, 2), QImage::Format_ARGB32_Premultiplied);
    both.setDevicePixelRatio(ratio);
    both.fill(Qt::white);
    {
        QPainter painter(&both);
        painter.setRenderHint(QPainter::Antialiasing, antialiased);
        painter.setCompositionMode(QPainter::CompositionMode_Multiply);
        painter.translate(offset);
        painter.setBrush(Qt::NoBrush);
        for (int i = 0; i < m_edges.size(); ++i) {
            if (!colors[i].isValid())
                continue;
            QPen pen = m_edges[i]->pen();
            pen.setColor(colors[i]);
            painter.setPen(pen);
            painter.drawPath(path(i));
        }
    }
    ++m_renderCount;

    QImage normal(both.size(), QImage::Format_ARGB32_Premultiplied);
    QImage faded(both.size(), QImage::Format_ARGB32_Premultiplied);
    normal.setDevicePixelRatio(ratio);
    faded.setDevicePixelRatio(ratio);
    for (int y = 0; y < both.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(both.constScanLine(y));
        auto* outNormal = reinterpret_cast<QRgb*>(normal.scanLine(y));
        auto* outFaded = reinterpret_cast<QRgb*>(faded.scanLine(y));
        for (int x = 0; x < both.width(); ++x) {
            outNormal[x] = QRgb(255 - qGreen(in[x])) << 24;
            outFaded[x] = QRgb(255 - qRed(in[x])) << 24;
        }
    }
    Picture picture;
    picture.key = {false, m_generation, visibility, offset, ratio, antialiased};
    picture.image = std::move(normal);
    store(picture);
    picture.key.faded = true;
    picture.image = std::move(faded);
    store(std::move(picture));
    return true;
}

EdgeLayer::Picture* EdgeLayer::store(Picture picture)
{
    picture.lastUse = ++m_useClock;
    if (m_pictures.size() >= kMaximumPictures) {
        auto oldest = std::min_element(m_pictures.begin(), m_pictures.end(),
            [](const Picture& a, const Picture& b) { return a.lastUse < b.lastUse; });
        *oldest = std::move(picture);
        return &*oldest;
    }
    m_pictures.push_back(std::move(picture));
    return &m_pictures.back();
}

const EdgeLayer::Picture* EdgeLayer::picture(bool faded, const QPointF& offset, qreal ratio, bool antialiased)
{
    const quint64 visibility = visibilitySignature();
    const PictureKey key{faded, m_generation, visibility, offset, ratio, antialiased};
    auto find = [&]() -> Picture* {
        for (Picture& p : m_pictures) {
            if (p.key == key) {
                p.lastUse = ++m_useClock;
                return &p;
            }
        }
        return nullptr;
    };
    if (Picture* found = find())
        return found;
    if (!faded && renderBoth(offset, ratio, antialiased, visibility))
        return find();

    Picture picture;
    picture.key = key;
    picture.image = QImage(m_rect.size().toSize() * ratio + QSize(2, 2), QImage::Format_ARGB32_Premultiplied);
    picture.image.setDevicePixelRatio(ratio);
    picture.image.fill(Qt::transparent);
    renderPlain(picture.image, offset, antialiased, faded);
    return store(std::move(picture));
}

QRectF EdgeLayer::boundingRect() const
{
    return m_rect;
}

void EdgeLayer::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    if (m_curves.empty())
        return;
    const bool antialiased = painter->testRenderHint(QPainter::Antialiasing);
    const bool faded = m_highlighted != nullptr;
    const QTransform world = painter->worldTransform();
    if (world.type() <= QTransform::TxTranslate) {
        // The plot area may start at a fractional pixel: the picture is drawn
        // with that fraction and put down at the whole pixel below it.
        const qreal ratio = painter->device()->devicePixelRatioF();
        const QPointF origin(world.dx() * ratio, world.dy() * ratio);
        const QPointF whole(std::floor(origin.x()), std::floor(origin.y()));
        const QPointF offset = (origin - whole) / ratio;
        const Picture* cached = picture(faded, offset, ratio, antialiased);
        painter->save();
        painter->resetTransform();
        painter->drawImage(whole / ratio, cached->image);
        painter->restore();
    } else {
        painter->save();
        painter->setBrush(Qt::NoBrush);
        for (int i = 0; i < m_edges.size(); ++i) {
            if (!m_edges[i]->isVisible() || i == m_highlightedIndex)
                continue;
            painter->setPen(pen(i, faded));
            painter->drawPath(path(i));
        }
        painter->restore();
    }
    if (m_highlightedIndex >= 0 && m_highlighted->isVisible()) {
        painter->save();
        painter->setBrush(Qt::NoBrush);
        painter->setPen(m_highlighted->pen());
        painter->drawPath(path(m_highlightedIndex));
        painter->restore();
    }
}

void EdgeLayer::buildHitGrid() const
{
    m_gridColumns = std::max(1, int(std::ceil(m_rect.width() / kGridCell)));
    m_gridRows = std::max(1, int(std::ceil(m_rect.height() / kGridCell)));
    m_grid.assign(std::size_t(m_gridColumns) * std::size_t(m_gridRows), {});
    for (int i = 0; i < int(m_curves.size()); ++i) {
        const qreal radius = hitRadius(m_edges[i]->pen());
        QPointF previous = curvePoint(i, 0.0);
        for (int s = 0; s < kSegments; ++s) {
            const QPointF next = curvePoint(i, double(s + 1) / kSegmentsPerCubic);
            const int x0 = std::max(0, int(std::floor((std::min(previous.x(), next.x()) - radius) / kGridCell)));
            const int x1 = std::min(m_gridColumns - 1, int(std::floor((std::max(previous.x(), next.x()) + radius) / kGridCell)));
            const int y0 = std::max(0, int(std::floor((std::min(previous.y(), next.y()) - radius) / kGridCell)));
            const int y1 = std::min(m_gridRows - 1, int(std::floor((std::max(previous.y(), next.y()) + radius) / kGridCell)));
            for (int y = y0; y <= y1; ++y)
                for (int x = x0; x <= x1; ++x)
                    m_grid[std::size_t(y) * std::size_t(m_gridColumns) + std::size_t(x)].push_back(i * kSegments + s);
            previous = next;
        }
    }
    m_gridGeneration = m_generation;
}

int EdgeLayer::edgeIndexAt(const QPointF& point) const
{
    if (m_curves.empty() || !m_rect.contains(point))
        return -1;
    if (m_gridGeneration != m_generation || m_grid.empty())
        buildHitGrid();
    const int column = std::min(m_gridColumns - 1, int(point.x() / kGridCell));
    const int row = std::min(m_gridRows - 1, int(point.y() / kGridCell));
    const std::vector<int>& cell = m_grid[std::size_t(row) * std::size_t(m_gridColumns) + std::size_t(column)];
    int rejected = -1;
    for (auto it = cell.rbegin(); it != cell.rend(); ++it) {
        const int edge = *it / kSegments;
        const int segment = *it % kSegments;
        if (edge == rejected || !m_edges[edge]->isVisible())
            continue;
        const QPointF a = curvePoint(edge, double(segment) / kSegmentsPerCubic);
        const QPointF b = curvePoint(edge, double(segment + 1) / kSegmentsPerCubic);
        if (distanceToSegment(point, a, b) <= hitRadius(m_edges[edge]->pen()))
            return edge;
    }
    return -1;
}

QSplineSeries* EdgeLayer::edgeAt(const QPointF& point) const
{
    const int edge = edgeIndexAt(point);
    return edge < 0 ? nullptr : m_edges[edge];
}

bool EdgeLayer::contains(const QPointF& point) const
{
    return edgeIndexAt(point) >= 0;
}

bool EdgeLayer::collidesWithPath(const QPainterPath& path, Qt::ItemSelectionMode) const
{
    return edgeIndexAt(path.boundingRect().center()) >= 0;
}

QPointF EdgeLayer::valueAt(const QPointF& point) const
{
    return QPointF(point.x() / m_deltaX + m_minX, (m_rect.height() - point.y()) / m_deltaY + m_minY);
}

void EdgeLayer::hover(const QPointF& point)
{
    // The scene hit-tests a one-pixel square at the cursor; test its centre.
    const QPointF centre = point + QPointF(0.5, 0.5);
    QSplineSeries* edge = edgeAt(centre);
    if (edge == m_hovered)
        return;
    const QPointF value = valueAt(point);
    if (QSplineSeries* left = std::exchange(m_hovered, nullptr))
        emit left->hovered(value, false);
    m_hovered = edge;
    if (edge)
        emit edge->hovered(value, true);
}

void EdgeLayer::hoverEnterEvent(QGraphicsSceneHoverEvent* event)
{
    hover(event->pos());
}

void EdgeLayer::hoverMoveEvent(QGraphicsSceneHoverEvent* event)
{
    hover(event->pos());
}

void EdgeLayer::hoverLeaveEvent(QGraphicsSceneHoverEvent* event)
{
    if (QSplineSeries* left = std::exchange(m_hovered, nullptr))
        emit left->hovered(valueAt(event->pos()), false);
}
