#include "app/calculators.h"

#include <QString>
#include <array>

#include "app/mdiform1.h"
#include "forms/placement.h"
#include "windows/discom.h"
#include "windows/frmcarbsize.h"
#include "windows/frmhp_mph.h"
#include "windows/frmrpmmph.h"

namespace motoreckon {

namespace {

constexpr FormulasSubmenu kEngine{"mnuEngine", "Engine"};
constexpr FormulasSubmenu kCarburetor{"mnuCarb", "Carburator"};
constexpr FormulasSubmenu kQuarterMile{"mnuQtrMile", "!/4 Mile ET and MPH"};
constexpr FormulasSubmenu kGears{"mnuMPH_RPM_Gears", "MPH, RPM & Gears"};
constexpr FormulasSubmenu kTires{"mnuTireSizes", "Tire Sizes & Effects"};

// A top-level window of its own, which centres itself on the screen.
QWidget* openDiscom(MDIForm1&, int) { return new discom; }

// A child window with a fixed border, centred in the frame's client area as it loads.
QWidget* openCarbSize(MDIForm1& frame, int) {
    auto* form = new frmCarbSize;
    frame.addChild(form, Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                             Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    form->Form_Load(FrameTwips(frame.mdiArea()));
    return form;
}

QWidget* openHpMph(MDIForm1& frame, int) {
    auto* form = new frmHP_MPH;
    frame.addFixedSizeChild(form);
    return form;
}

// The mode is set before the window loads, so that it lays itself out for it; the caption
// comes after.
template <std::int16_t kFormType>
QWidget* openSpeedWindow(MDIForm1& frame, int number) {
    auto* form = new frmRPMMPH;
    form->setFormType(kFormType);
    form->Form_Load();
    const QString kind =
        kFormType == frmRPMMPH::RoadSpeedMode ? QStringLiteral("MPH") : QStringLiteral("RPM");
    form->setWindowTitle(QStringLiteral("%1 (%2)").arg(kind).arg(number));
    frame.addFixedSizeChild(form);
    return form;
}

constexpr std::array kCalculators = {
    Calculator{&kEngine, "mnuSizeCompression", "Size && Compression Ratio", Opening::Shared,
               openDiscom, "displacement.html"},
    Calculator{&kCarburetor, "mnuCarbSize", "Carburator Sizing", Opening::Shared, openCarbSize,
               "carburetor.html"},
    Calculator{&kQuarterMile, "mnuHpEt", "HP by ET"},
    Calculator{&kQuarterMile, "mnuHpMPH", "HP by MPH", Opening::Shared, openHpMph,
               "horsepower.html"},
    Calculator{&kQuarterMile, "mnuCarWeightET", "Car Weight by ET"},
    Calculator{&kQuarterMile, "mnuCarWeightMPH", "CarWeight by MPH"},
    Calculator{&kQuarterMile, "mnuETMPH", "ET and MPH"},
    Calculator{&kGears, "mnuMPH", "MPH", Opening::Numbered,
               openSpeedWindow<frmRPMMPH::RoadSpeedMode>, "road-speed.html"},
    Calculator{&kGears, "mnuRPM", "RPM", Opening::Numbered,
               openSpeedWindow<frmRPMMPH::EngineSpeedMode>, "engine-speed.html"},
    Calculator{&kGears, "mnuGearRatio", "Gear Ratio"},
    Calculator{&kGears, "mnuTireDiameterbySped", "Tire Diameter by Speed"},
    Calculator{&kTires, "mnuTireDiameter", "Tire Diameter"},
    Calculator{&kTires, "mnuActualMPH", "Actual MPH"},
    Calculator{nullptr, "mnuSpeedometerCorrectoin", "Speedometer Correction"},
};

}  // namespace

std::span<const Calculator> calculators() { return kCalculators; }

}  // namespace motoreckon
