#include "tools/skingen/ModuleCards.h"
#include "tools/skingen/OutlineColours.h"
#include "tools/skingen/Panels.h"
#include "tools/skingen/SkinModel.h"

// The VKX520 catalogue: which modules exist, their configurations (module
// codes) and how each configuration's card is drawn.
namespace skingen {
namespace {

constexpr const char* kPictureDir = "pictures/";

struct CardConfig {
    int id;
    const char* name;
    int minInputs, maxInputs;
    const char* picture;
    bool palette8;
    CardSpec card;
};

CardSpec Card(const char* model, const char* title, const char* detail, bool output, Port port, int positions, int live,
              bool audio, const char* portType, const char* audioType = "") {
    return {model, title, detail, output, port, positions, live, audio, portType, audioType};
}

ConfigDef NewConfig(int id, const QString& name, int minInputs, int maxInputs, const QString& picture, bool palette8) {
    ConfigDef cfg;
    cfg.id = id;
    cfg.name = name;
    cfg.minInputs = minInputs;
    cfg.maxInputs = maxInputs;
    cfg.picture = kPictureDir + picture;
    cfg.palette8 = palette8;
    return cfg;
}

ModuleDef CardModule(const QString& type, int audio, const QList<CardConfig>& configs, int width,
                     const QStringList& signalNames) {
    ModuleDef module{type, audio, {}};
    for (const CardConfig& c : configs) {
        ConfigDef cfg = NewConfig(c.id, c.name, c.minInputs, c.maxInputs, c.picture, c.palette8);
        DrawModuleCard(c.card, width, signalNames, cfg);
        module.configs.append(cfg);
    }
    return module;
}

QList<ModuleDef> InputModules(const QStringList& signals_) {
    const int w = InputCardWidth();
    const char* sdiAudio = "SDI embedded audio";
    const char* hdmiAudio = "HDMI embedded audio";
    return {
        CardModule("SDI input", 2,
                   {
                       {16, "HD-SDI, 8 inputs", 1, 8, "in_sdi_hd8.bmp", false,
                        Card("SDI-8 IN", "SDI INPUT", "HD-SDI 1080i / 720p", false, Port::SdiBnc, 8, 8, true,
                             "HD-SDI input", sdiAudio)},
                       {17, "3G-SDI, 4 inputs", 1, 4, "in_sdi_3g4.bmp", false,
                        Card("3G-SDI-4 IN", "SDI INPUT", "3G-SDI 1080p, 4 inputs", false, Port::SdiBnc, 4, 4, true,
                             "3G-SDI input", sdiAudio)},
                       {18, "SD-SDI, 8 inputs", 2, 8, "in_sdi_sd8.bmp", true,
                        Card("SDI-8 IN", "SDI INPUT", "SD-SDI 625 / 525", false, Port::SdiBnc, 8, 8, true,
                             "SD-SDI input", sdiAudio)},
                   },
                   w, signals_),
        CardModule("HDMI input", 2,
                   {
                       {32, "HDMI 1080p, 4 inputs", 1, 4, "in_hdmi4.bmp", true,
                        Card("HDMI-4 IN", "HDMI INPUT", "1080p60, HDCP off", false, Port::Hdmi, 4, 4, true,
                             "HDMI input", hdmiAudio)},
                       {33, "HDMI 4K, 2 inputs", 1, 2, "in_hdmi_4k2.bmp", true,
                        Card("HDMI-4 IN", "HDMI INPUT", "2160p30, 2 inputs", false, Port::Hdmi, 4, 2, true,
                             "HDMI 4K input", hdmiAudio)},
                   },
                   w, signals_),
        CardModule("Analog video input", 0,
                   {
                       {48, "CVBS PAL, 8 inputs", 1, 8, "in_cvbs_pal8.bmp", true,
                        Card("AV-8 IN", "ANALOG INPUT", "Composite PAL", false, Port::CvbsBnc, 8, 8, false,
                             "Composite PAL input")},
                       {49, "CVBS NTSC, 8 inputs", 1, 8, "in_cvbs_ntsc8.bmp", true,
                        Card("AV-8 IN", "ANALOG INPUT", "Composite NTSC", false, Port::CvbsBnc, 8, 8, false,
                             "Composite NTSC input")},
                       {50, "YPbPr, 2 inputs", 1, 2, "in_ypbpr2.bmp", true,
                        Card("AV-8 IN", "ANALOG INPUT", "Component YPbPr, 2 inputs", false, Port::ComponentBnc, 8, 2,
                             false, "Component YPbPr input")},
                   },
                   w, signals_),
        CardModule("Fibre input", 0,
                   {
                       {64, "Single-mode, 4 inputs", 1, 4, "in_fibre_sm4.bmp", true,
                        Card("OPT-4 IN", "FIBRE INPUT", "3G single-mode 1310 nm", false, Port::SfpSingle, 4, 4, false,
                             "Single-mode fibre input")},
                       {65, "Multi-mode, 4 inputs", 1, 4, "in_fibre_mm4.bmp", true,
                        Card("OPT-4 IN", "FIBRE INPUT", "3G multi-mode 850 nm", false, Port::SfpMulti, 4, 4, false,
                             "Multi-mode fibre input")},
                       {66, "Single-mode, 2 inputs", 1, 2, "in_fibre_sm2.bmp", true,
                        Card("OPT-4 IN", "FIBRE INPUT", "Single-mode, 2 inputs", false, Port::SfpSingle, 4, 2, false,
                             "Single-mode fibre input")},
                   },
                   w, signals_),
        CardModule("Computer input", 0,
                   {
                       {80, "DVI digital, 2 inputs", 1, 2, "in_dvi2.bmp", true,
                        Card("DVI-2 IN", "COMPUTER INPUT", "DVI-D up to 1920x1200", false, Port::Dvi, 2, 2, false,
                             "DVI-D input")},
                       {81, "VGA analog, 2 inputs", 1, 2, "in_vga2.bmp", true,
                        Card("DVI-2 IN", "COMPUTER INPUT", "RGBHV via DVI-I", false, Port::Dvi, 2, 2, false,
                             "VGA (RGBHV) input")},
                   },
                   w, signals_),
    };
}

QList<ModuleDef> OutputModules(const QStringList& signals_) {
    const int w = OutputCardWidth(signals_);
    return {
        CardModule(
            "SDI output", 0,
            {
                {128, "HD-SDI outputs", 4, 4, "out_sdi_hd.bmp", true,
                 Card("SDI-4 OUT", "SDI OUTPUT", "HD-SDI 1080i / 720p", true, Port::SdiBnc, 4, 4, false,
                      "HD-SDI output")},
                {129, "3G-SDI outputs", 4, 4, "out_sdi_3g.bmp", true,
                 Card("SDI-4 OUT", "SDI OUTPUT", "3G-SDI 1080p", true, Port::SdiBnc, 4, 4, false, "3G-SDI output")},
                {130, "SD-SDI outputs", 4, 4, "out_sdi_sd.bmp", true,
                 Card("SDI-4 OUT", "SDI OUTPUT", "SD-SDI 625 / 525", true, Port::SdiBnc, 4, 4, false, "SD-SDI output")},
            },
            w, signals_),
        CardModule("HDMI output", 0,
                   {
                       {144, "HDMI 1080p outputs", 4, 4, "out_hdmi.bmp", true,
                        Card("HDMI-4 OUT", "HDMI OUTPUT", "1080p60", true, Port::Hdmi, 4, 4, false, "HDMI output")},
                       {145, "DVI-D mode outputs", 4, 4, "out_hdmi_dvi.bmp", true,
                        Card("HDMI-4 OUT", "HDMI OUTPUT", "DVI-D mode, no audio", true, Port::Hdmi, 4, 4, false,
                             "DVI-D output")},
                   },
                   w, signals_),
        CardModule("Analog video output", 0,
                   {
                       {160, "CVBS PAL outputs", 4, 4, "out_cvbs_pal.bmp", true,
                        Card("AV-4 OUT", "ANALOG OUTPUT", "Composite PAL", true, Port::CvbsBnc, 4, 4, false,
                             "Composite PAL output")},
                       {161, "CVBS NTSC outputs", 4, 4, "out_cvbs_ntsc.bmp", true,
                        Card("AV-4 OUT", "ANALOG OUTPUT", "Composite NTSC", true, Port::CvbsBnc, 4, 4, false,
                             "Composite NTSC output")},
                   },
                   w, signals_),
        CardModule("Fibre output", 0,
                   {
                       {176, "Single-mode outputs", 4, 4, "out_fibre_sm.bmp", true,
                        Card("OPT-4 OUT", "FIBRE OUTPUT", "3G single-mode 1310 nm", true, Port::SfpSingle, 4, 4, false,
                             "Single-mode fibre output")},
                       {177, "Multi-mode outputs", 4, 4, "out_fibre_mm.bmp", true,
                        Card("OPT-4 OUT", "FIBRE OUTPUT", "3G multi-mode 850 nm", true, Port::SfpMulti, 4, 4, false,
                             "Multi-mode fibre output")},
                   },
                   w, signals_),
    };
}

ModuleDef SingleConfigModule(const QString& type, ConfigDef cfg) { return {type, 0, {cfg}}; }

QList<ModuleDef> FixedParts(const QStringList& signals_) {
    ConfigDef cpu = NewConfig(SKIN_ID_CARD, "CPU card", 0, 0, "cpu_card.bmp", false);
    DrawCpuCard(cpu);
    ConfigDef inputPanel = NewConfig(SKIN_ID_INPUT_PANEL, "Analog audio inputs", 0, 0, "input_panel.bmp", true);
    DrawInputPanel(inputPanel);
    ConfigDef keyPanel = NewConfig(SKIN_ID_KEY_PANEL, "Source keys", 0, 0, "key_panel.bmp", true);
    DrawKeyPanel(keyPanel);
    ConfigDef unknownIn = NewConfig(SKIN_ID_UNKNOWN_INPUT, "Unknown input module", 0, 0, "unknown_input.bmp", true);
    DrawUnknownCard(false, InputCardWidth(), signals_, unknownIn);
    ConfigDef unknownOut = NewConfig(SKIN_ID_UNKNOWN_OUTPUT, "Unknown output module", 0, 0, "unknown_output.bmp", true);
    DrawUnknownCard(true, OutputCardWidth(signals_), signals_, unknownOut);
    return {SingleConfigModule("CPU card", cpu), SingleConfigModule("Input panel", inputPanel),
            SingleConfigModule("Key panel", keyPanel), SingleConfigModule("Unknown input module", unknownIn),
            SingleConfigModule("Unknown output module", unknownOut)};
}

}  // namespace

Catalogue BuildCatalogue() {
    Catalogue catalogue;
    catalogue.signalNames = {"Program", "Preview", "Clean feed",  "Multiviewer",
                             "Aux 1",   "Aux 2",   "Colour bars", "Black"};
    catalogue.modules =
        InputModules(catalogue.signalNames) + OutputModules(catalogue.signalNames) + FixedParts(catalogue.signalNames);
    for (ModuleDef& module : catalogue.modules)
        for (ConfigDef& cfg : module.configs) ChooseOutlineColours(cfg);
    return catalogue;
}

}  // namespace skingen
