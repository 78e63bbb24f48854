#include "plots/viewmatrix.h"

#include "ui_viewmatrix.h"

#include "circularplot/colors.h"
#include "circularplot/mylabel.h"
#include "plots/connectivitymatrixwidgetrect.h"
#include "plots/matrixcellinfo.h"
#include "plots/verticalheaderview.h"
#include "study/connectivityobject.h"
#include "study/subjectsource.h"

#include <QGraphicsScene>
#include <QHash>
#include <QLabel>
#include <QSignalBlocker>

#include <cmath>

namespace {

// "rgb(r, g, b)" in decimal, for the style sheets of swatches and read-outs.
QString rgbText(const QColor& color)
{
    return QStringLiteral("rgb(%1, %2, %3)").arg(color.red()).arg(color.green()).arg(color.blue());
}

// The overview draws each matrix element as a square of this many scene
// units; the scene is sized for 116 nodes and scaled to 245 pixels.
constexpr int kOverviewCell = 10;
constexpr double kOverviewSide = 1160.0;
constexpr double kOverviewScale = 245.0 / kOverviewSide;

constexpr int kLegendSteps = 10;
constexpr int kHeaderSection = 15;

// Hands out one brush per colour as the screen shows it. The jet map meets
// only a few thousand such colours, so a large matrix shares them instead of
// holding a brush of its own for every cell and every overview square.
class BrushCache {
public:
    const QBrush& operator()(const QColor& color)
    {
        const QRgb rgb = color.rgba();
        auto found = m_brushes.constFind(rgb);
        if (found == m_brushes.constEnd())
            found = m_brushes.insert(rgb, QBrush(QColor::fromRgba(rgb)));
        return *found;
    }

private:
    QHash<QRgb, QBrush> m_brushes;
};

} // namespace

ViewMatrix::ViewMatrix(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::ViewMatrix)
{
    ui->setupUi(this);
    ui->tableMatrix->setMouseTracking(true);
    ui->groupBox_Histogram->hide();
    ui->groupBox_Visualization->hide();
    connect(ui->tableMatrix, &QTableWidget::cellEntered, this, &ViewMatrix::pickValue);
    connect(ui->tableMatrix, &ViewMatrixTable::mouseLeave, this, &ViewMatrix::clearPickValue);
    ui->tableMatrix->setHorizontalHeader(new VerticalHeaderView(Qt::Horizontal));
    // The overview's squares only fill themselves, so the painter's state
    // need not be saved and restored around each of up to a million.
    ui->graphicsView->setOptimizationFlags(QGraphicsView::DontSavePainterState);
    clearTable();
    updateGeometry();
}

ViewMatrix::~ViewMatrix()
{
    clearTable();
    delete ui;
}

ConnectivityObject* ViewMatrix::subject() const
{
    const auto* source = dynamic_cast<const SubjectSource*>(parent());
    return source ? source->getConnectivityObject() : nullptr;
}

void ViewMatrix::setConditions(const std::vector<OrderedCondition>& conditions)
{
    this->conditions = conditions;
    conditionNames.clear();
    conditionTs.clear();
    for (const OrderedCondition& condition : conditions) {
        conditionNames.append(QString::fromStdString(condition.name));
        conditionTs.append(condition.t);
    }
}

void ViewMatrix::createConditionsPanel()
{
    QGridLayout* grid = ui->gridLayout_Conditions;
    if (conditionNames.isEmpty()) {
        grid->addWidget(new QLabel(tr("No protocol loaded.")), 0, 0);
        return;
    }

    const QVector<QColor> colors = conditionColors(conditionNames);
    for (int k = 0; k < conditionNames.size(); ++k) {
        auto* box = new MyLabel;
        box->setProperty("row", k);
        box->setStyleSheet(QStringLiteral("background-color: %1;").arg(rgbText(colors[k])));
        box->setMaximumWidth(40);
        grid->addWidget(box, k, 0, Qt::AlignVCenter);

        auto* name = new MyLabel;
        name->setProperty("row", k);
        grid->addWidget(name, k, 1, Qt::AlignLeft | Qt::AlignVCenter);

        auto* t = new QLabel(QString::number(conditionTs[k]));
        t->setToolTip(tr("in TR"));
        t->setMaximumWidth(40);
        grid->addWidget(t, k, 2, Qt::AlignRight | Qt::AlignVCenter);

        if (conditions[k].type == 1) {
            name->setText(conditionNames[k]);
            connect(box, &MyLabel::clicked, this, &ViewMatrix::browseMatrix);
            connect(name, &MyLabel::clicked, this, &ViewMatrix::browseMatrix);
        } else {
            // A trigger marks an event and has no matrix to show.
            name->setText(tr("Trigger: %1").arg(conditionNames[k]));
            box->setInteractive(false);
            name->setInteractive(false);
        }
    }
}

void ViewMatrix::loadMatrices()
{
    const ConnectivityObject* subject = this->subject();
    if (!subject)
        return;
    const std::vector<Eigen::MatrixXf>& matrices = subject->getMatrices();
    if (matrices.empty())
        return;

    matrix = matrices.front();
    bool first = true;
    for (const Eigen::MatrixXf& m : matrices) {
        if (m.size() == 0)
            continue;
        const double low = m.minCoeff();
        const double high = m.maxCoeff();
        minValue = first ? low : std::min(minValue, low);
        maxValue = first ? high : std::max(maxValue, high);
        first = false;
    }
}

void ViewMatrix::setLabels(const QStringList& labels)
{
    this->labels = labels;
}

void ViewMatrix::fillTable()
{
    QTableWidget* table = ui->tableMatrix;
    const int rows = int(matrix.rows());
    const int columns = int(matrix.cols());
    table->setRowCount(rows);
    table->setColumnCount(columns);
    table->setHorizontalHeaderLabels(labels);
    table->setVerticalHeaderLabels(labels);

    cells.assign(rows, std::vector<MatrixCellInfo*>(columns, nullptr));
    {
        // One repaint after the fill instead of one change signal per cell.
        const QSignalBlocker blocker(table->model());
        for (int r = 0; r < rows; ++r) {
            for (int c = 0; c < columns; ++c) {
                auto* item = new QTableWidgetItem(QString());
                cells[r][c] = new MatrixCellInfo(double(matrix(r, c)));
                table->setItem(r, c, item);
            }
        }
    }
    table->viewport()->update();

    table->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Minimum);
    for (QHeaderView* header : {table->horizontalHeader(), table->verticalHeader()}) {
        // The smallest section a header allows is measured from its font's
        // widest glyph, which would widen the turned column names to 36
        // pixels.
        header->setMinimumSectionSize(kHeaderSection);
        header->setDefaultSectionSize(kHeaderSection);
        header->setSectionResizeMode(QHeaderView::Fixed);
        header->setStyleSheet(QStringLiteral("QHeaderView { font-family: arial; font-size: 10px;}"));
        header->setDefaultAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
}

void ViewMatrix::colorCells()
{
    QTableWidget* table = ui->tableMatrix;
    {
        const QSignalBlocker blocker(table->model());
        BrushCache brush;
        for (int r = 0; r < table->rowCount(); ++r) {
            for (int c = 0; c < table->columnCount(); ++c) {
                QTableWidgetItem* item = table->item(r, c);
                item->setText(QString());
                item->setBackground(brush(cells[r][c]->color));
            }
        }
    }
    table->viewport()->update();
}

void ViewMatrix::drawOverview()
{
    QGraphicsView* view = ui->graphicsView;
    const QRectF sceneRect(0, 0, kOverviewSide, kOverviewSide);
    view->setSceneRect(sceneRect);
    auto* scene = new QGraphicsScene(sceneRect, this);
    // The picture never moves and is always seen whole, so an index of the
    // squares would cost memory and time and save nothing when painting.
    scene->setItemIndexMethod(QGraphicsScene::NoIndex);
    // With a full update pending, the scene skips the per-square bookkeeping
    // of what each new square makes dirty; the first paint draws them all.
    scene->update();

    // The view neither scrolls nor resizes, so it only ever shows this part
    // of the scene. Squares beyond it (matrices of more than about 130
    // nodes) are marked as having no contents: painting then passes over
    // them instead of keeping a record of where each one was painted.
    QRectF shown(QPointF(), QSizeF(view->maximumSize()) / kOverviewScale);
    shown.moveCenter(sceneRect.center());

    BrushCache brush;
    const QPen noPen(Qt::NoPen);
    // Element (i, j) is drawn at x = i, y = j, so the picture shows the grid
    // transposed; pressing it leads to grid row j, column i, which is the
    // same place for the symmetric matrices this viewer is made for.
    for (Eigen::Index i = 0; i < matrix.rows(); ++i) {
        for (Eigen::Index j = 0; j < matrix.cols(); ++j) {
            auto* rect = new ConnectivityMatrixWidgetRect;
            rect->setTable(ui->tableMatrix);
            rect->setCell(int(j), int(i));
            rect->setBrush(brush(jetColor(double(matrix(i, j)))));
            rect->setPen(noPen);
            rect->setRect(kOverviewCell * double(i), kOverviewCell * double(j), kOverviewCell, kOverviewCell);
            if (!shown.intersects(rect->rect()))
                rect->setFlag(QGraphicsItem::ItemHasNoContents);
            scene->addItem(rect);
        }
    }

    view->setScene(scene);
    view->show();
    view->setTransform(QTransform::fromScale(kOverviewScale, kOverviewScale));
    delete m_scene;
    m_scene = scene;
}

void ViewMatrix::createLegend()
{
    ui->groupbox_Legend->setStyleSheet(QStringLiteral("border: 0px;"));
    const double step = (maxValue - minValue) / kLegendSteps;

    QHBoxLayout* layout = ui->horizontalLayout_4;
    layout->addItem(new QSpacerItem(1, 1, QSizePolicy::Expanding, QSizePolicy::Fixed));
    for (int k = 0; k < kLegendSteps; ++k) {
        const double x = maxValue - k * step;
        auto* column = new QVBoxLayout;
        column->setContentsMargins(0, 0, 0, 0);
        column->setSpacing(0);

        auto* swatch = new QLabel;
        swatch->setFixedSize(15, 15);
        swatch->setStyleSheet(QStringLiteral("background: %1;").arg(rgbText(jetColor(x))));
        column->addWidget(swatch);

        auto* text = new QLabel;
        if (k == 0 || k == kLegendSteps - 1) {
            // Halves go away from zero, as a reader expects of a scale.
            text->setText(QString::number(std::round(x), 'g', 6));
            text->setStyleSheet(QStringLiteral("font-size: 8px;"));
        }
        column->addWidget(text);
        layout->addLayout(column);
    }
    layout->addItem(new QSpacerItem(1, 1, QSizePolicy::Expanding, QSizePolicy::Fixed));
}

void ViewMatrix::browseMatrix()
{
    const QVariant row = sender() ? sender()->property("row") : QVariant();
    if (!row.isValid())
        return;
    const int k = row.toInt();

    const ConnectivityObject* subject = this->subject();
    // A condition without a matrix of its own leaves the shown one.
    if (subject && (k < 0 || std::size_t(k) >= subject->getMatrices().size()))
        return;

    clearTable();
    // Detached first, the scene drops its squares without telling the view
    // where each of them had been painted.
    ui->graphicsView->setScene(nullptr);
    if (m_scene)
        m_scene->clear();
    ui->graphicsView->viewport()->update();
    if (!subject)
        return;

    matrix = subject->getMatrices()[std::size_t(k)];
    fillTable();
    colorCells();
    drawOverview();
}

void ViewMatrix::pickValue(int x, int y)
{
    if (x < 0 || y < 0 || std::size_t(x) >= cells.size() || std::size_t(y) >= cells[std::size_t(x)].size())
        return;
    const MatrixCellInfo* cell = cells[std::size_t(x)][std::size_t(y)];
    ui->lbl_Color->setStyleSheet(QStringLiteral("background: %1;").arg(rgbText(cell->color)));
    ui->lbl_Value->setText(cell->text);
}

void ViewMatrix::clearPickValue()
{
    ui->lbl_Color->setStyleSheet(QString());
    ui->lbl_Value->setText(QString());
}

void ViewMatrix::clearTable()
{
    ui->tableMatrix->clearContents();
    for (const auto& row : cells)
        for (MatrixCellInfo* cell : row)
            delete cell;
    cells.clear();
}
