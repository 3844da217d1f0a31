#include "panels/PolarPage.h"

#include <QCoreApplication>
#include <QHideEvent>
#include <QVBoxLayout>
#include <algorithm>

#include "dataset/DataSetLoad.h"
#include "dataset/FolderUtil.h"
#include "field/Compass.h"
#include "field/ShownValues.h"
#include "field/SurfaceValues.h"
#include "panels/PolarDiagram.h"
#include "state/ViewState.h"
#include "text/CodePage.h"

namespace {

// A point's values for the data set's directions: a tap's measured ones, an arbitrary point's
// stored ones; NO_VALUE where there is none.
std::vector<double> PointValues(const CViewState& state, int id) {
    const int n = state.m_data.m_cp.m_nDirectionCount;
    std::vector<double> values(static_cast<size_t>(std::max(0, n)), NO_VALUE);
    if (id >= 0) {
        for (int d = 0; d < n; ++d) {
            values[static_cast<size_t>(d)] = state.m_data.m_cp.GetCp(id, d);
        }
        return values;
    }
    for (const CArbitraryPoint& point : state.m_selection.m_lstArbitrary) {
        if (point.id == id) {
            std::copy_n(point.values.begin(), std::min(point.values.size(), values.size()),
                        values.begin());
            break;
        }
    }
    return values;
}

QString PointName(int id) {
    return id >= 0 ? QStringLiteral("No %1").arg(id)
                   : QCoreApplication::translate("CPolarPage", "任意点 %1").arg(-id);
}

}  // namespace

std::optional<CPointBand> PointBand(const CViewState& state, int id) {
    const CDataSet& data = state.m_data;
    if (!data.m_tables.Has(EValueQuantity::Max) || !data.m_tables.Has(EValueQuantity::Min)) {
        return std::nullopt;
    }
    const CArbitraryPoint* point = nullptr;
    if (id < 0) {
        point = FindArbitraryPoint(state.m_selection, id);
        if (point == nullptr) {
            return std::nullopt;
        }
    }
    const int n = data.m_cp.m_nDirectionCount;
    CPointBand band;
    CShownValues shown = MeanOf(ShownValuesOf(data, state.m_settings));
    for (int d = 0; d < n; ++d) {
        shown.direction = d;
        for (EValueQuantity q : {EValueQuantity::Min, EValueQuantity::Max}) {
            shown.quantity = q;
            // A tap's tabled value; an arbitrary point's interpolated from its panel's taps.
            const double v = point == nullptr ? data.m_tables.ValueOfTap(q, data.m_cp, id, d)
                                              : ShownValueOfPoint(data, shown, *point).value;
            (q == EValueQuantity::Min ? band.min : band.max).push_back(v);
        }
    }
    return band;
}

CPolarPage::CPolarPage(QWidget* parent)
    : CPanelPage(IDD, parent), m_diagram(new CPolarDiagram(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_diagram);
    connect(m_diagram, &CPolarDiagram::DirectionChosen, this, &CPolarPage::OnDirectionChosen);
    RefreshFromView();
}

void CPolarPage::SetChosenPoints(const std::vector<int>& ids) {
    std::vector<int> first(ids.begin(),
                           ids.begin() + std::min<size_t>(ids.size(), CPolarDiagram::kMaxSeries));
    if (first == m_chosen && static_cast<int>(ids.size()) == m_nChosenCount) {
        return;
    }
    m_chosen = std::move(first);
    m_nChosenCount = static_cast<int>(ids.size());
    RefreshFromView();
}

void CPolarPage::RefreshFromView() {
    const CViewState* state = State();
    if (state == nullptr || !state->HasDataSet()) {
        m_shown.clear();
        m_diagram->SetTitle(QString());
        m_diagram->SetMessage(QCoreApplication::translate(
            "CPolarPage", "データセットを読み込むと、選んだ点の風向ごとの値をここに表示します。"));
        m_diagram->SetSeries({});
        m_diagram->SetDirections(0, 0.0, 0);
        return;
    }
    m_shown = m_chosen;
    if (m_shown.empty() && !state->m_selection.m_lstSelected.empty()) {
        m_shown.push_back(state->m_selection.m_lstSelected.back());
    }
    std::vector<CPolarSeries> series;
    for (int id : m_shown) {
        CPolarSeries s;
        s.name = PointName(id);
        s.input.values = PointValues(*state, id);
        if (std::optional<CPointBand> band = PointBand(*state, id)) {
            s.input.bandMin = std::move(band->min);
            s.input.bandMax = std::move(band->max);
        }
        series.push_back(std::move(s));
    }
    const int count = state->m_data.m_cp.m_nDirectionCount;
    m_diagram->SetTitle(
        QString::fromStdString(kzv::FileTextToUtf8(DataSetName(state->m_data.m_strDataFolder))) +
        QCoreApplication::translate("CPolarPage", "　風圧係数"));
    m_diagram->SetMessage(QCoreApplication::translate(
        "CPolarPage", "値の一覧で行を選ぶか、ビューで点を選ぶと、その値を表示します。"));
    m_diagram->SetPromptFolder(
        QString::fromStdString(kzv::PromptStartFolder(state->m_data.m_strDataFolder)));
    // Chosen rows beyond those drawn are counted in the legend as left out.
    m_diagram->SetSeries(std::move(series),
                         std::max(0, m_nChosenCount - static_cast<int>(m_shown.size())));
    m_diagram->SetDirections(count, BuildingAngle(count, state->m_nBuildingAngleStep),
                             state->m_settings.m_nDirection);
}

void CPolarPage::OnDirectionChosen(int direction) {
    CPageEdit state = EditState();
    if (state == nullptr || !state->HasDataSet() || direction == state->m_settings.m_nDirection) {
        return;
    }
    state->m_settings.m_nDirection =
        StepDirection(state->m_data.m_cp.m_nDirectionCount, direction, 0);
    state.Touch(ASPECT_DIRECTION);
}

CPolarBar::CPolarBar(QWidget* parent, CPolarPage* page)
    : CSizingControlBar(QCoreApplication::translate("CPolarPage", "風向特性"), parent,
                        QSize(380, 460), IDR_POLAR_BAR),
      m_page(page) {
    setAllowedAreas(Qt::LeftDockWidgetArea);
    setWidget(m_page);
}

void CPolarBar::hideEvent(QHideEvent* event) {
    // Closed by the user: the size it had is the one to open it with again (and to keep in
    // the window-layout file).
    if (!event->spontaneous() && width() > 0 && height() > 0) {
        CBarSizes sizes = Sizes();
        sizes.vertCx = width();
        sizes.vertCy = height();
        SetSizes(sizes);
    }
    CSizingControlBar::hideEvent(event);
}
