#include "workbench/CFontFinder.h"

#include "link/Comm.h"
#include "ui/DataExchange.h"

namespace {

constexpr int IDC_HEIGHT = 1330;
constexpr int IDC_WIDTH = 1331;
constexpr int IDC_MOST_FONT = 1332;
constexpr int IDC_MOST_X = 1333;
constexpr int IDC_MOST_Y = 1334;
constexpr int IDC_FIND_MOST = 1335;
constexpr int IDC_ROUND_FONT = 1336;
constexpr int IDC_ROUND_X = 1337;
constexpr int IDC_ROUND_Y = 1338;
constexpr int IDC_FIND_ROUND = 1339;
constexpr int IDC_PRINT = 1340;

void showChoice(const std::optional<ostrel::FontChoice>& choice, QString& font, QString& x, QString& y)
{
    if (!choice) {
        font = CFontFinder::notFoundFont();
        x = y = CFontFinder::notFoundMulti();
        return;
    }
    font = QString::number(choice->font);
    x = QString::number(choice->xMulti);
    y = QString::number(choice->yMulti);
}

// The choice a result group shows; nothing when it shows that nothing was found.
std::optional<ostrel::FontChoice> shown(const QString& font, const QString& x, const QString& y)
{
    bool okFont = false;
    bool okX = false;
    bool okY = false;
    const ostrel::FontChoice choice{font.toInt(&okFont), x.toInt(&okX), y.toInt(&okY)};
    if (!okFont || !okX || !okY)
        return std::nullopt;
    return choice;
}

}  // namespace

CFontFinder::CFontFinder(QWidget* parent) : ui::Dialog(parent)
{
    m_ui.setupUi(this);
    onCommand(IDC_FIND_MOST, &CFontFinder::OnFindMostSimilar);
    onCommand(IDC_FIND_ROUND, &CFontFinder::OnFindSimilarRound);
    onCommand(IDC_PRINT, &CFontFinder::OnPrintForComparison);
}

bool CFontFinder::OnInitDialog()
{
    ui::Dialog::OnInitDialog();
    m_fWidthMm = 3.0f;
    m_fHeightMm = 5.0f;
    showChoice(ostrel::FontChoice{}, m_strMostFont, m_strMostX, m_strMostY);
    showChoice(ostrel::FontChoice{}, m_strRoundFont, m_strRoundX, m_strRoundY);
    UpdateData(false);
    return true;
}

void CFontFinder::DoDataExchange(ui::DataExchange& dx)
{
    ui::DDX_Text(dx, IDC_MOST_FONT, m_strMostFont);
    ui::DDX_Text(dx, IDC_ROUND_FONT, m_strRoundFont);
    ui::DDX_Text(dx, IDC_HEIGHT, m_fHeightMm);
    ui::DDX_Text(dx, IDC_WIDTH, m_fWidthMm);
    ui::DDX_Text(dx, IDC_MOST_X, m_strMostX);
    ui::DDX_Text(dx, IDC_ROUND_X, m_strRoundX);
    ui::DDX_Text(dx, IDC_MOST_Y, m_strMostY);
    ui::DDX_Text(dx, IDC_ROUND_Y, m_strRoundY);
}

void CFontFinder::OnFindMostSimilar()
{
    UpdateData(true);
    showChoice(ostrel::FindMostSimilarFont(m_fWidthMm, m_fHeightMm), m_strMostFont, m_strMostX,
         m_strMostY);
    UpdateData(false);
}

void CFontFinder::OnFindSimilarRound()
{
    UpdateData(true);
    showChoice(ostrel::FindSimilarRoundFont(m_fWidthMm, m_fHeightMm), m_strRoundFont, m_strRoundX,
         m_strRoundY);
    UpdateData(false);
}

void CFontFinder::OnPrintForComparison()
{
    const QString job =
        ostrel::FontComparisonJob(shown(m_strMostFont, m_strMostX, m_strMostY),
                                  shown(m_strRoundFont, m_strRoundX, m_strRoundY));
    g_comm.WriteString(job, static_cast<int>(job.size()));
}
