#pragma once

#include <QColor>
#include <QGraphicsObject>
#include <QImage>
#include <QPen>
#include <QVector>

#include <vector>

namespace QtCharts {
class QChart;
class QSplineSeries;
class QXYSeries;
} // namespace QtCharts

// Draws the edges of a circular plot and reports hovering over them.
//
// Every edge is a QSplineSeries that carries the edge's state (points, pen,
// visibility, dynamic properties), but the series are not added to the chart:
// Qt Charts spends time in the square of the number of series when it adds,
// shows, hides or removes them, and a dense matrix of a few hundred regions
// has tens of thousands of edges, which froze the window for seconds to
// minutes. This one item draws the visible series in list order, each with
// its pen along the curve Qt Charts draws through its three points, keeps the
// result as a picture and emits each series' hovered() signal itself.
class EdgeLayer : public QGraphicsObject {
    Q_OBJECT

public:
    explicit EdgeLayer(QtCharts::QChart* chart);
    ~EdgeLayer() override;

    // The series whose axes map values to pixels (edges are not in the
    // chart, so they have no axes of their own).
    void setReferenceSeries(QtCharts::QXYSeries* series);
    // The edges in drawing order, bottom first. The layer does not own them;
    // clearEdges() must run before they are deleted.
    void setEdges(const QVector<QtCharts::QSplineSeries*>& edges);
    void clearEdges();
    int edgeCount() const { return m_edges.size(); }

    // Pens, widths or colours of the edges changed: the next paint redraws.
    void refresh();
    // Some edges were shown or hidden. Pictures are kept per set of visible
    // edges, so returning to an earlier set costs no redrawing.
    void visibilityChanged();
    // The colour every ordinary edge takes while another is highlighted; with
    // it the faded picture can be drawn in the same pass as the normal one.
    void setFadedColor(const QColor& color) { m_fadedColor = color; }
    // While an edge is highlighted the faded picture is shown with the edge
    // drawn on top in its own pen; underPen is the pen it has in the faded
    // picture.
    void setHighlighted(QtCharts::QSplineSeries* edge, const QPen& underPen);
    void clearHighlight();

    // The top-most visible edge whose stroke covers the point (item
    // coordinates), or null.
    QtCharts::QSplineSeries* edgeAt(const QPointF& point) const;
    // The point of an edge's curve at parameter t in 0 ... 2 (item coordinates).
    QPointF curvePoint(int edge, double t) const;
    // How many pictures were drawn so far (each a pass over the edges).
    int renderCount() const { return m_renderCount; }

    QRectF boundingRect() const override;
    bool contains(const QPointF& point) const override;
    // The scene asks for hover with a one-pixel rectangle at the cursor.
    bool collidesWithPath(const QPainterPath& path, Qt::ItemSelectionMode mode) const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

protected:
    void hoverEnterEvent(QGraphicsSceneHoverEvent* event) override;
    void hoverMoveEvent(QGraphicsSceneHoverEvent* event) override;
    void hoverLeaveEvent(QGraphicsSceneHoverEvent* event) override;

private:
    // The two cubic segments of an edge in item pixels: p0 -> p1 through
    // c1, c2 and p1 -> p2 through c3, c4.
    struct Curve {
        QPointF p0, c1, c2, p1, c3, c4, p2;
    };
    // What a picture was drawn for; a picture is reused only for the same key.
    struct PictureKey {
        bool faded = false;
        quint64 generation = 0;
        quint64 visibility = 0;
        QPointF offset;
        qreal ratio = 1.0;
        bool antialiased = true;

        bool operator==(const PictureKey& other) const
        {
            return faded == other.faded && generation == other.generation && visibility == other.visibility
                && offset == other.offset && ratio == other.ratio && antialiased == other.antialiased;
        }
    };
    struct Picture {
        PictureKey key;
        QImage image;
        quint64 lastUse = 0;
    };

    void updateGeometry();
    void buildHitGrid() const;
    int edgeIndexAt(const QPointF& point) const;
    QPointF valueAt(const QPointF& point) const;
    QPen pen(int edge, bool faded) const;
    // Cached until visibilityChanged(), so that a hover's repaint does not
    // walk every edge.
    quint64 visibilitySignature();
    quint64 computeVisibilitySignature() const;
    QPainterPath path(int edge) const;
    const Picture* picture(bool faded, const QPointF& offset, qreal ratio, bool antialiased);
    Picture* store(Picture picture);
    void renderPlain(QImage& image, const QPointF& offset, bool antialiased, bool faded);
    bool renderBoth(const QPointF& offset, qreal ratio, bool antialiased, quint64 visibility);
    void hover(const QPointF& point);

    QtCharts::QChart* m_chart;
    QtCharts::QXYSeries* m_reference = nullptr;
    QVector<QtCharts::QSplineSeries*> m_edges;
    std::vector<Curve> m_curves;
    QRectF m_rect;
    QColor m_fadedColor;

    // Value-to-pixel mapping of the reference series, as Qt Charts does it.
    qreal m_minX = 0.0;
    qreal m_minY = 0.0;
    qreal m_deltaX = 1.0;
    qreal m_deltaY = 1.0;

    // Segments of the flattened curves near each cell of a regular grid over
    // the item, in drawing order: entry = edge * kSegments + segment.
    mutable std::vector<std::vector<int>> m_grid;
    mutable int m_gridColumns = 0;
    mutable int m_gridRows = 0;
    mutable quint64 m_gridGeneration = 0;

    quint64 m_visibility = 0;
    bool m_visibilityKnown = false;
    std::vector<Picture> m_pictures;
    quint64 m_generation = 1;
    quint64 m_useClock = 0;
    int m_renderCount = 0;

    QtCharts::QSplineSeries* m_highlighted = nullptr;
    int m_highlightedIndex = -1;
    QPen m_underPen;
    QtCharts::QSplineSeries* m_hovered = nullptr;
};
