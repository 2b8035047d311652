#include "app/main_window.h"

#include "app/app_style.h"
#include "app/app_version.h"
#include "app/flow_list_binding.h"
#include "script/flow_editing.h"

using namespace Qt::StringLiterals;

namespace sw {

namespace {
// The outer size a first start opens with, in twips.
constexpr double StartWidth = 14070;
constexpr double StartHeight = 10950;
} // namespace

MainWindow::MainWindow(std::unique_ptr<UserDialogs> dialogs)
    : m_dialogs(dialogs ? std::move(dialogs) : std::make_unique<WidgetDialogs>(this)),
      m_controls(new QWidget(this)), m_panels(m_controls), m_menu(buildMainMenu(menuBar()))
{
    setObjectName(u"frmMain"_s);
    setWindowIcon(appIcon());
    setColour(m_controls.clientArea(), QPalette::Window, PanelColour);
    setCentralWidget(m_controls.clientArea());
    connectControls();
    startUp();
}

void MainWindow::connectControls()
{
    connect(m_controls.modeList(), &QComboBox::activated, this, &MainWindow::cmbMode_Click);

    const auto design = designControls();
    for (std::size_t row = 0; row < design.size(); ++row) {
        if (design[row].kind != ControlKind::SetButton)
            continue;
        connect(static_cast<QPushButton*>(m_controls.widget(row)), &QPushButton::clicked, this,
                [this, kind = design[row].panel] { Set_Click(kind); });
    }

    auto* binding = new FlowListBinding(m_controls.flowList(), m_document.view());
    connect(binding, &FlowListBinding::deletePressed, this,
            [this] { editFlow(&Delete_Selected_Step); });
    connect(m_controls.flowList(), &QListView::doubleClicked, this,
            &MainWindow::lstScript_DblClick);
    connect(m_controls.button("cmdUP"_L1), &QPushButton::clicked, this,
            [this] { editFlow(&Move_Step_Up); });
    connect(m_controls.button("cmdDown"_L1), &QPushButton::clicked, this,
            [this] { editFlow(&Move_Step_Down); });
    connect(m_controls.button("cmdDelete"_L1), &QPushButton::clicked, this,
            [this] { editFlow(&Delete_Selected_Step); });

    connect(m_menu.mnuExit, &QAction::triggered, this, &QWidget::close);
    connect(m_menu.mnuVersion, &QAction::triggered, this, [this] { m_dialogs->showVersion(); });
}

void MainWindow::startUp()
{
    setWindowTitle(baseCaption());
    setOuterSizeTwips(StartWidth, StartHeight);
    showFlowHeading(0);
    m_document.FormLoading = true;
    m_panels.Fill_Choice_Lists();
    m_document.New_Script();
    m_document.FormLoading = false;
}

void MainWindow::showFlowHeading(int flowMode)
{
    const FlowHeading heading = flowHeading(flowMode);
    QLabel* label = m_controls.flowHeading();
    label->setText(heading.caption);
    setColour(label, QPalette::WindowText,
              QColor(heading.colour.red, heading.colour.green, heading.colour.blue));
    label->adjustSize();
}

void MainWindow::cmbMode_Click()
{
    runCommand([this] {
        if (m_document.FormLoading)
            return;
        const int position = m_controls.modeList()->currentIndex();
        showFlowHeading(position);
        for (const QString& failure : m_document.Switch_Flow(position))
            m_dialogs->critical(failure);
    });
}

void MainWindow::Reset_Entry_Panels()
{
    m_panels.clearFields();
    // The selector's own reaction brings the Normal mode flow into view.
    m_controls.modeList()->setCurrentIndex(0);
    cmbMode_Click();
}

void MainWindow::showError(const ErrorText& error)
{
    if (!error.isEmpty())
        m_dialogs->critical(error);
}

} // namespace sw
