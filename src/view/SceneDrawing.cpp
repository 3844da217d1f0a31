// The frame of the pressure view: camera, axes, lights, geometry, ground grid, wind arrows,
// contours, mesh, measurement points and the overlays, drawn from the core's scene data.

#include "view/KZ_VView.h"

#include <QCoreApplication>
#include <QString>
#include <algorithm>

#include "field/ColorBar.h"
#include "field/ContourWalk.h"
#include "field/LineContours.h"
#include "field/SceneLayout.h"
#include "field/ShownValues.h"
#include "state/Comparing.h"
#include "text/NumberFormat.h"

namespace {
const CVector4 kGridColour(0.8f, 0.8f, 0.8f, 0.0f);
}  // namespace

void CKZ_VView::RenderScene() {
    m_gl.Clear(COLOR_WHITE);
    if (!CGLRenderer::HasCurrentContext()) {
        return;
    }
    m_gl.LoadIdentity();
    if (!State().HasDataSet()) {
        return;
    }
    ApplyCamera();
    DrawAxes();

    {
        // Two directional lights fixed to the eye.
        const CMatrixScope eye(m_gl);
        m_gl.LoadIdentity();
        SetLights(CVector4(-500, 1000, 1000, 0), CVector4(500, -1000, -1000, 0), OPAQUE_WHITE,
                  OPAQUE_WHITE, GL_PARAM_DIFFUSE);
    }

    DrawGeometry(State().m_data.m_geoMain);
    DrawGeometry(State().m_data.m_geoSub);
    m_gl.DisableLighting();

    DrawGround();
    DrawWind();
    DrawContours();
    DrawMesh();
    DrawPoints();

    {
        const CMatrixScope overlay(m_gl);
        m_gl.LoadIdentity();
        m_gl.SetDepthTest(false);
        DrawColorBar();
        if (m_bPrinting) {
            DrawComment(m_commentPrint, m_commentPrintText);
        } else {
            DrawComment(State().m_settings.m_comment, m_commentText);
        }
        m_gl.SetDepthTest(true);
    }
    m_gl.Flush();
}

void CKZ_VView::ApplyCamera() {
    m_gl.Translate(State().m_camera.m_vPan);
    m_gl.MultMatrix(State().m_camera.m_matRotation);
    m_gl.Scale(State().m_data.m_fScale);
    m_gl.Scale(State().m_camera.m_fZoom);
}

void CKZ_VView::DrawAxes() {
    if (State().m_settings.m_bShowAxes) {
        for (const CAxisItem& axis : AxisItems(State().m_data)) {
            const CVector4 line[2] = {axis.line.a, axis.line.b};
            m_gl.DrawLine(line, axis.letter.colour, 1.0f);
            m_gl.DrawCone(axis.conePosition, 3.0f / State().m_data.m_fScale,
                          15.0f / State().m_data.m_fScale, axis.coneAngle, axis.coneAxis,
                          axis.letter.colour);
            m_gl.DrawTextA(axis.letter.position, AxisFont(), axis.letter.text.c_str(),
                           axis.letter.colour);
        }
    }
    if (State().m_settings.m_bShowAxisNumbers) {
        std::vector<CSceneText> texts;
        std::vector<CSceneSphere> spheres;
        AxisTicks(State().m_data, texts, spheres);
        for (size_t i = 0; i < texts.size(); ++i) {
            m_gl.DrawTextA(texts[i].position, AxisFont(), texts[i].text.c_str(), texts[i].colour);
            m_gl.DrawSphere(spheres[i].centre, spheres[i].radius, spheres[i].colour, 8);
        }
    }
}

void CKZ_VView::DrawGeometry(const CGeometry& geo) {
    const CVector4 outline[4] = {COLOR_BLACK, COLOR_BLACK, COLOR_BLACK,
                                 State().m_settings.m_clrShininess};
    for (const CGeometryObject& part : geo.m_objects) {
        if (part.m_nDisplayMode == 2) {
            continue;
        }
        const CVector4 surface[4] = {part.m_color, State().m_settings.m_clrSpecular,
                                     State().m_settings.m_clrAmbient,
                                     State().m_settings.m_clrShininess};
        for (const CGeometryFace& face : part.m_faces) {
            const int count = static_cast<int>(face.m_vertices.size());
            if (part.m_nDisplayMode == 1) {
                m_gl.DrawOutline(face.m_vertices.data(), count, outline, 1.0f,
                                 GL_FACE_FRONT_AND_BACK);
            } else {
                m_gl.DrawFace(face.m_vertices.data(), count, surface, GL_FACE_FRONT_AND_BACK);
            }
        }
    }
}

void CKZ_VView::DrawGround() {
    if (!State().m_settings.m_bShowGround) {
        return;
    }
    for (const CSceneLine& line : GroundGridLines(State().m_data, State().m_settings)) {
        const CVector4 points[2] = {line.a, line.b};
        m_gl.DrawLine(points, kGridColour, 1.0f);
    }
}

void CKZ_VView::DrawWind() {
    if (!State().m_settings.m_bShowWind) {
        return;
    }
    const CMatrixScope turned(m_gl);
    m_gl.Rotate(WindArrowAngle(State().m_data, State().m_settings), AXIS_Z);
    for (const CSceneLine& line : WindArrowLines(State().m_data)) {
        const CVector4 points[2] = {line.a, line.b};
        m_gl.DrawLine(points, COLOR_BLACK, 3.0f);
    }
}

void CKZ_VView::DrawMesh() {
    if (!State().m_settings.m_bShowMesh) {
        return;
    }
    UpdateMeshCorners();
    size_t first = 0;
    for (int n : m_cache.meshCounts) {
        m_gl.DrawLineLoop(m_cache.meshCorners.data() + first, n, COLOR_GRAY, 1.0f);
        first += static_cast<size_t>(n);
    }
}

void CKZ_VView::UpdateMeshCorners() {
    if (m_cache.meshGeneration == State().m_data.Generation()) {
        return;
    }
    // Sized once: a large mesh's corners do not pass through doubling copies.
    size_t corners = 0;
    for (int p = 0; p < State().m_data.m_mesh.GetPanelCount(); ++p) {
        corners += static_cast<size_t>(std::max(0, State().m_data.m_mesh.GetNodeCount(p)));
    }
    m_cache.meshCorners.clear();
    m_cache.meshCorners.shrink_to_fit();
    m_cache.meshCorners.reserve(corners);
    m_cache.meshCounts.clear();
    m_cache.meshCounts.reserve(
        static_cast<size_t>(std::max(0, State().m_data.m_mesh.GetPanelCount())));
    for (int p = 0; p < State().m_data.m_mesh.GetPanelCount(); ++p) {
        const int n = State().m_data.m_mesh.GetNodeCount(p);
        const CVector4 lift = State().m_data.PanelNormal(p) * (State().m_data.m_fLift * 3.0f);
        for (int k = 0; k < n; ++k) {
            m_cache.meshCorners.push_back(
                State().m_data.m_taps.GetPosition(State().m_data.m_mesh.GetNodeTapNo(p, k)) + lift);
        }
        m_cache.meshCounts.push_back(n);
    }
    m_cache.meshGeneration = State().m_data.Generation();
}

void CKZ_VView::DrawPoints() {
    const float r = 5.0f / State().m_data.m_fScale;
    // While an envelope is shown, the governing-direction layer writes each tap's governing
    // angle where its number goes (instead of it).
    const CShownValues shown = ShownValuesOf(State().m_data, State().m_settings);
    const int numberKind =
        shown.IsEnvelope() && State().m_settings.m_bShowGoverning
            ? 1 + static_cast<int>(shown.quantity) * ENVELOPE_CHOICE_COUNT + shown.envelope
            : 0;
    const bool numbers = State().m_settings.m_bShowNumbers || numberKind != 0;
    if (numbers && (m_cache.numbersGeneration != State().m_data.Generation() ||
                    m_cache.numbersKind != numberKind)) {
        const size_t taps = State().m_data.m_taps.m_aTapNo.size();
        m_cache.numberPositions.resize(taps);
        m_cache.numberTexts.resize(taps);
        const int directions = State().m_data.m_cp.m_nDirectionCount;
        for (size_t i = 0; i < taps; ++i) {
            const int panel = NumberPanelOfTap(State().m_data, static_cast<int>(i));
            m_cache.numberPositions[i] =
                State().m_data.m_taps.m_aPos[i] + State().m_data.PanelNormal(panel) * (2.0f * r);
            const int32_t tap = State().m_data.m_taps.m_aTapNo[i];
            m_cache.numberTexts[i] =
                numberKind != 0
                    ? DirectionText(directions,
                                    ShownValueOfTap(State().m_data, shown, tap).direction)
                    : kzv::FormatInt(tap);
        }
        m_cache.numbersGeneration = State().m_data.Generation();
        m_cache.numbersKind = numberKind;
    }
    std::vector<uint8_t> listed(State().m_data.m_taps.m_aTapNo.size());
    for (size_t i = 0; i < listed.size(); ++i) {
        listed[i] = State().IsListed(State().m_data.m_taps.m_aTapNo[i]) ? 1 : 0;
    }
    const size_t whole = listed.size() <= m_nNumberBitmapLimit
                             ? listed.size()
                             : std::min(listed.size(), m_nLargeSetNumberBitmaps);
    // Thousands of markers and numbers: compiled once into a display list and replayed until
    // something they are drawn from changes. A recording sees them drawn one by one.
    CFrameCache& c = m_cache;
    const bool current = !m_gl.Recording() && m_gl.IsList(c.pointsList) &&
                         c.pointsGeneration == State().m_data.Generation() &&
                         c.pointsMarkers == (State().m_settings.m_bShowMarkers != 0) &&
                         c.pointsNumbers == numbers && c.pointsNumbersKind == numberKind &&
                         c.pointsRadius == r && c.pointsFont == AxisFont() &&
                         c.pointsListed == listed && c.pointsWholeNumbers == whole;
    if (!current) {
        if (numbers && listed.size() > whole) {
            m_gl.PrepareTextPieces(AxisFont(), m_cache.numberTexts);
        }
        m_gl.DeleteList(c.pointsList);
        c.pointsList = m_gl.BeginList();
        if (c.pointsList != 0) {
            DrawTapPoints(listed, r, whole, numbers);
            m_gl.EndList();
            c.pointsGeneration = State().m_data.Generation();
            c.pointsMarkers = State().m_settings.m_bShowMarkers != 0;
            c.pointsNumbers = numbers;
            c.pointsNumbersKind = numberKind;
            c.pointsRadius = r;
            c.pointsFont = AxisFont();
            c.pointsWholeNumbers = whole;
            c.pointsListed = std::move(listed);
            ++c.pointsCompilations;
        }
    }
    if (c.pointsList != 0) {
        m_gl.CallList(c.pointsList);
    } else {
        DrawTapPoints(listed, r, whole,
                      numbers);  // no list to be had (while recording): drawn directly
    }
    for (const CArbitraryPoint& point : State().m_selection.m_lstArbitrary) {
        m_gl.DrawSphere(point.pos, r, MARK_COLOR, 8);
    }
    if (State().m_selection.m_nCornerCount == 0) {
        m_gl.DrawSphere(State().m_selection.m_aCorner[0], r, COLOR_GRAY, 8);
    } else if (State().m_selection.m_nCornerCount == 1) {
        for (const CVector4& corner : State().m_selection.m_aCorner) {
            m_gl.DrawSphere(corner, r, COLOR_GRAY, 8);
        }
    }
}

void CKZ_VView::DrawTapPoints(const std::vector<uint8_t>& listed, float radius, size_t wholeNumbers,
                              bool numbers) {
    for (size_t i = 0; i < listed.size(); ++i) {
        const CVector4 colour = listed[i] ? MARK_COLOR : COLOR_BLACK;
        if (listed[i] || State().m_settings.m_bShowMarkers) {
            m_gl.DrawSphere(State().m_data.m_taps.m_aPos[i], radius, colour, 8);
        }
        if (numbers) {
            // Over whatever lies in front, and under the markers drawn after it.
            m_gl.SetDepthTest(false);
            if (i < wholeNumbers) {
                m_gl.DrawTextBitmap(m_cache.numberPositions[i], AxisFont(),
                                    m_cache.numberTexts[i].c_str(), colour);
            } else {
                m_gl.DrawTextPieces(m_cache.numberPositions[i], AxisFont(),
                                    m_cache.numberTexts[i].c_str(), colour);
            }
            m_gl.SetDepthTest(true);
        }
    }
}

void CKZ_VView::DrawComment(const CCommentRecord& record, CCommentText& text) {
    UpdateCommentText(record, text);
    // The client area, also while printing: the page shows the window's picture enlarged.
    m_gl.BeginWindowOverlay(ClientWidth(), ClientHeight());
    CVector4 at = record.position;
    auto line = [&](const CTextLists& lists) {
        at.y += static_cast<float>(record.size);
        m_gl.DrawTextList(at, lists.first, lists.second, record.colour);
    };
    auto items = [&](int from, int to) {
        for (int i = from; i <= to; ++i) {
            if (record.flags[i] && text.itemText[i].second > 0) {
                line(text.itemText[i]);
            }
        }
    };
    items(0, 4);
    if (record.flags[5]) {
        for (const CTextLists& lists : text.summaryLines) {
            line(lists);
        }
    }
    items(6, 9);
    m_gl.EndWindowOverlay();
}

void CKZ_VView::DrawContours() {
    CContourInputs inputs =
        ContourInputsOf(State().m_data, State().m_settings, State().m_selection);
    if (!m_cache.contoursValid || inputs != m_cache.contourKey) {
        ComputeContours(State().m_data, State().m_settings, State().m_selection, m_cache.contours);
        // Kept for many frames: without the slack of their growth (up to half of them).
        m_cache.contours.items.shrink_to_fit();
        m_cache.contours.points.shrink_to_fit();
        m_cache.contourKey = std::move(inputs);
        m_cache.contoursValid = true;
        ++m_cache.contourComputations;
        const CDataRange& range = m_cache.contours.shownRange;
        std::string text = range.Empty()
                               ? std::string()
                               : QCoreApplication::translate("CKZ_VView", "データ範囲 %1 … %2")
                                     .arg(QString::fromStdString(kzv::FormatG(range.min)),
                                          QString::fromStdString(kzv::FormatG(range.max)))
                                     .toStdString();
        if (text != m_cache.rangeText) {
            m_cache.rangeText = text;
            emit ShownRangeChanged(QString::fromStdString(text));
        }
    }
    const CContourDrawing& contours = m_cache.contours;
    if (contours.items.empty()) {
        return;
    }
    if (State().m_settings.m_bShowLabels && !contours.labels.empty() && !m_bPrinting) {
        // (A printed or enlarged frame uses its own label font; the screen's is made on screen.)
        UpdateLabelFont();
    }
    const unsigned labelFont =
        m_bPrinting ? m_nLabelFontListPrint : static_cast<unsigned>(m_nLabelFontList);
    // Bands and lines first. The label texts and the slots come after them all, without the
    // depth test: a label's text starts beside its sphere and on a sloped face runs into the
    // surface, and a slot lies on the surface under the bands lifted off it; so that neither
    // is hidden by the face it belongs to they are drawn over everything, as the tap numbers
    // are. The label spheres stand out of the lines and keep the depth test.
    bool hasSlots = false;
    for (const CContourItem& item : contours.items) {
        switch (item.type) {
            case ContourItemType::Band:
                m_gl.DrawPolygon(&contours.points[static_cast<size_t>(item.first)], item.count,
                                 item.colour);
                break;
            case ContourItemType::Blank:
                m_gl.DrawPolygon(&contours.points[static_cast<size_t>(item.first)], item.count,
                                 COLOR_WHITE);
                break;
            case ContourItemType::Line:
                m_gl.DrawLine(&contours.points[static_cast<size_t>(item.first)], item.colour, 1.0f);
                break;
            case ContourItemType::Label: {
                const CContourLabel& label = contours.labels[static_cast<size_t>(item.first)];
                m_gl.DrawSphere(label.centre, label.radius, item.colour, 8);
                break;
            }
            case ContourItemType::Slots:
                hasSlots = true;
                break;
        }
    }
    m_gl.SetDepthTest(false);
    for (const CContourItem& item : contours.items) {
        if (item.type == ContourItemType::Label) {
            const CContourLabel& label = contours.labels[static_cast<size_t>(item.first)];
            m_gl.DrawTextA(label.textPos, labelFont, label.text.c_str(), item.colour);
        }
    }
    if (hasSlots && State().m_bSlotsVisible) {
        const CSlotDrawing slotPicture =
            BuildSlotDrawing(State().m_settings, State().m_selection, State().m_data.m_fScale);
        for (const CSlotMark& mark : slotPicture.marks) {
            m_gl.DrawSphere(mark.a, slotPicture.radius, slotPicture.colour, 8);
            if (mark.complete) {
                m_gl.DrawTextA(mark.numberPos, labelFont, mark.number.c_str(), slotPicture.colour);
                m_gl.DrawSphere(mark.b, slotPicture.radius, slotPicture.colour, 8);
                const CVector4 line[2] = {mark.a, mark.b};
                m_gl.DrawLine(line, slotPicture.colour, 1.0f);
            }
        }
    }
    m_gl.SetDepthTest(true);
}

void CKZ_VView::DrawColorBar() {
    // What is shown (unless the mean of one direction) under the bar, and triangles at the
    // ends the shown data pass.
    CColorBarExtras extras;
    extras.caption = ShownStateCaption(State());
    if (m_cache.contoursValid) {
        extras.overflow = ScaleOverflow(m_cache.contours.shownRange, State().m_settings.m_dColorMin,
                                        State().m_settings.m_dColorMax);
    }
    const CColorBarDrawing bar =
        BuildColorBar(State().m_settings, ClientWidth(), ClientHeight(), extras);
    if (!bar.visible) {
        return;
    }
    for (const CColorBarQuad& quad : bar.quads) {
        m_gl.DrawPolygon(quad.corner, 4, quad.colour);
    }
    if (bar.below) {
        m_gl.DrawPolygon(bar.belowTriangle, 3, bar.belowColour);
        m_gl.DrawLineLoop(bar.belowTriangle, 3, COLOR_BLACK, 1.0f);
    }
    if (bar.above) {
        m_gl.DrawPolygon(bar.aboveTriangle, 3, bar.aboveColour);
        m_gl.DrawLineLoop(bar.aboveTriangle, 3, COLOR_BLACK, 1.0f);
    }
    if (!bar.caption.empty()) {
        // Japanese text: a text list of its own, made for this frame in this frame's context
        // (an enlarged image or a print draws in another one).
        const std::wstring wide = QString::fromStdString(bar.caption).toStdWString();
        const CTextLists lists = m_gl.CreateTextListW(15, wide.c_str(), "ＭＳ ゴシック");
        if (lists.second > 0) {
            m_gl.DrawTextList(bar.captionPos, lists.first, lists.second, COLOR_BLACK);
            m_gl.DeleteLists(lists.first, lists.second);
        }
    }
    for (const CColorBarLabel& label : bar.labels) {
        m_gl.DrawTextA(label.textPos, AxisFont(), label.text.c_str(), COLOR_BLACK);
        m_gl.DrawPolygon(label.tick, 3, COLOR_BLACK);
    }
    m_gl.DrawLineLoop(bar.outline, 4, COLOR_BLACK, 1.0f);
}

void CKZ_VView::UpdateLabelFont() {
    if (m_nLabelFontList != 0 && m_strLabelFontMade == State().m_settings.m_strLabelFont &&
        m_nLabelFontSizeMade == State().m_settings.m_nLabelFontSize) {
        return;
    }
    const CContextScope scope(*this);
    if (!scope.Ok()) {
        return;
    }
    m_gl.DeleteFontList(static_cast<unsigned>(m_nLabelFontList));
    m_nLabelFontList = static_cast<int>(m_gl.CreateFontListA(
        State().m_settings.m_nLabelFontSize, State().m_settings.m_strLabelFont.c_str()));
    m_strLabelFontMade = State().m_settings.m_strLabelFont;
    m_nLabelFontSizeMade = State().m_settings.m_nLabelFontSize;
}
