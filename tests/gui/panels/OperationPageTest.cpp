// The operation page on a bare state: the camera buttons and the typed view, clicked.

#include <QLineEdit>
#include <QPushButton>

#include "panels/ButtonIcons.h"
#include "panels/OperationPage.h"
#include "panels/PageControlIds.h"
#include "panels/PageTestSupport.h"
#include "ui/MessageBox.h"

namespace {

using namespace kzv::page;

class OperationPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        page.Attach(state);
        ASSERT_TRUE(ShowExposed(page, 340, 600));
        LoadSampleState(state, "tower");
        m_previous = SetMessageBoxHook(
            [this](const QString& text, const QString& caption, KzButtons, KzIcon) {
                messages << text;
                captions << caption;
                return KzAnswer::Ok;
            });
    }
    void TearDown() override { SetMessageBoxHook(m_previous); }

    void Press(int id) { Click(PageControl<QPushButton>(&page, id)); }
    QString Field(int id) { return PageControl<QLineEdit>(&page, id)->text(); }
    void Type(int id, const QString& text) {
        QLineEdit* edit = PageControl<QLineEdit>(&page, id);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }

    CStateOwner state;
    COperationPage page;
    QStringList messages, captions;

private:
    KzMessageBoxHook m_previous;
};

TEST_F(OperationPageTest, PresetsAndNormaliseCentreTheModelForTheirOwnView) {
    CVector4 lo, hi;
    Arrange(state).m_data.m_geoMain.GetBounds(lo, hi);
    const CVector4 centre = (lo + hi) * 0.5f;
    for (int id : {IDC_VIEW_X_PLUS, IDC_VIEW_X_MINUS, IDC_VIEW_Y_PLUS, IDC_VIEW_Y_MINUS,
                   IDC_VIEW_Z_PLUS, IDC_VIEW_Z_MINUS, IDC_ZOOM_NORMAL}) {
        Press(IDC_MOVE_LEFT);
        Press(IDC_ZOOM_IN);
        Press(IDC_ROTATE_UP);
        Press(id);
        const CVector4 at = Arrange(state).m_camera.Project(centre, Arrange(state).m_data.m_fScale);
        EXPECT_NEAR(at.x, 0.0f, 0.5f) << id;
        EXPECT_NEAR(at.y, 0.0f, 0.5f) << id;
    }
}

TEST_F(OperationPageTest, ZoomButtonsMultiplyAndNormaliseAndTheScaleFieldFollows) {
    for (int i = 0; i < 3; ++i) {
        Press(IDC_ZOOM_IN);
    }
    EXPECT_NEAR(Arrange(state).m_camera.m_fZoom, 1.331, 1e-6);
    EXPECT_EQ(Field(IDC_SET_SCALE), QStringLiteral("1.331"));
    Press(IDC_ZOOM_NORMAL);
    EXPECT_EQ(Arrange(state).m_camera.m_fZoom, 1.0f);
    Press(IDC_ZOOM_OUT);
    EXPECT_NEAR(Arrange(state).m_camera.m_fZoom, 1.0 / 1.1, 1e-6);
    EXPECT_EQ(PageControl<QPushButton>(&page, IDC_ZOOM_IN)->toolTip(), QStringLiteral("拡大"));
}

TEST_F(OperationPageTest, PresetsStepsAndPanShowInTheFields) {
    Press(IDC_VIEW_Y_PLUS);
    EXPECT_TRUE(Arrange(state).m_camera.m_vAngles == CVector4(0, 0, 0));
    EXPECT_EQ(Field(IDC_SET_VERTICAL), QStringLiteral("0"));
    Press(IDC_ROTATE_UP);      // x +10
    Press(IDC_ROTATE_RIGHT);   // y -10
    Press(IDC_ZROT_POSITIVE);  // "正": z -10
    Press(IDC_ZROT_NEGATIVE);  // "負": z +10
    Press(IDC_ZROT_POSITIVE);
    EXPECT_EQ(Field(IDC_SET_VERTICAL), QStringLiteral("10"));
    EXPECT_EQ(Field(IDC_SET_HORIZONTAL), QStringLiteral("350"));
    EXPECT_EQ(Field(IDC_SET_Z), QStringLiteral("350"));
    const float x = Arrange(state).m_camera.m_vPan.x, y = Arrange(state).m_camera.m_vPan.y;
    Press(IDC_MOVE_RIGHT);
    Press(IDC_MOVE_DOWN);
    Press(IDC_MOVE_DOWN);
    EXPECT_EQ(Arrange(state).m_camera.m_vPan.x, x + 50.0f);
    EXPECT_EQ(Arrange(state).m_camera.m_vPan.y, y - 100.0f);
    EXPECT_EQ(Field(IDC_SET_SHIFT_Y), QString::number(static_cast<int>(y - 100.0f)));
}

TEST_F(OperationPageTest, TypedViewNeedsAPositiveScale) {
    Press(IDC_ZOOM_IN);
    const CCamera before = state->m_camera;
    for (const QString& scale : {QStringLiteral("0"), QString(), QStringLiteral("-1")}) {
        Type(IDC_SET_SCALE, scale);
        Type(IDC_SET_HORIZONTAL, QStringLiteral("45"));
        Press(IDC_SET_APPLY);
    }
    ASSERT_EQ(messages.size(), 3);
    EXPECT_EQ(messages[0], QStringLiteral("0以下のスケールは無効です。再入力してください。"));
    EXPECT_EQ(captions[0], QStringLiteral("KZ_V"));
    EXPECT_EQ(Arrange(state).m_camera.m_fZoom, before.m_fZoom);
    EXPECT_TRUE(Arrange(state).m_camera.m_vAngles == before.m_vAngles);
    EXPECT_TRUE(Arrange(state).m_camera.m_vPan == before.m_vPan);

    const std::pair<int, const char*> typed[] = {
        {IDC_SET_HORIZONTAL, "30"}, {IDC_SET_VERTICAL, "20.7"}, {IDC_SET_Z, "-10"},
        {IDC_SET_SCALE, "2.5"},     {IDC_SET_SHIFT_X, "12"},    {IDC_SET_SHIFT_Y, "-7"}};
    for (const auto& [id, text] : typed) {
        Type(id, QString::fromUtf8(text));
    }
    Press(IDC_SET_APPLY);
    EXPECT_EQ(messages.size(), 3);
    EXPECT_EQ(Arrange(state).m_camera.m_fZoom, 2.5f);
    EXPECT_FLOAT_EQ(Arrange(state).m_camera.m_vAngles.x, 20.7f);
    EXPECT_FLOAT_EQ(Arrange(state).m_camera.m_vAngles.y, 30.0f);
    EXPECT_FLOAT_EQ(Arrange(state).m_camera.m_vAngles.z, 350.0f);
    // The fields show the camera again, angles cut to whole degrees.
    EXPECT_EQ(Field(IDC_SET_VERTICAL), QStringLiteral("20"));
    EXPECT_EQ(Field(IDC_SET_Z), QStringLiteral("350"));
    EXPECT_EQ(Field(IDC_SET_SHIFT_Y), QStringLiteral("-7"));
}

}  // namespace

namespace {

// Icons are painted at the screen's pixel density, not scaled up from a small picture.
TEST(ButtonIcons, PaintedAtEveryPixelRatio) {
    const QIcon icon = ButtonIcon(ButtonGlyph::ZoomIn);
    for (qreal ratio : {1.0, 1.5, 2.0}) {
        const QPixmap pixmap = icon.pixmap(QSize(24, 24), ratio);
        EXPECT_EQ(pixmap.size(), QSize(24, 24) * ratio) << ratio;
        EXPECT_EQ(pixmap.devicePixelRatio(), ratio);
        const QImage image = pixmap.toImage();
        int ink = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                ink += qAlpha(image.pixel(x, y)) > 128 ? 1 : 0;
            }
        }
        EXPECT_GT(ink, image.width() * image.height() / 10) << ratio;
    }
}

}  // namespace
