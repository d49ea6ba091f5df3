#include "wizard/page_welcome.h"

#include <utility>
#include <vector>

#include "resources/resource.h"

namespace fm {
namespace {

constexpr char kReadMeCaption[] = "Read Me";

// The description starts below the program's name, which is drawn over it.
constexpr char kDescription[] =
    "\r\n\r\n\r\n\r\n\r\n\r\n\r\n"
    "Fleetmixer gives the AI traffic of Flight Simulator 2002 the aircraft you "
    "have installed. It imports the airports of your scenery with their "
    "countries, your installed aircraft with their airlines, and the existing "
    "AI traffic. Then it gives every flight a fitting installed aircraft of the "
    "same category, flown by an airline of one of the countries the flight "
    "visits, and writes every decision to a report.";

constexpr char kNotice[] =
    "Copyright (C) 2002-2026 the Fleetmix authors. Fleetmix is free software: "
    "you may use, copy and give it away unchanged, free of charge. It comes "
    "with no warranty; keep a copy of your traffic before you replace it.";

constexpr char kAuthorship[] = "by the Fleetmix authors";

constexpr char kTitleFont[] = "Tahoma";
constexpr int kPictureWidth = 500;
constexpr int kPictureHeight = 315;
constexpr int kTextRightMargin = 20;

Decoration TitleText(std::string text, int height, int clientWidth, int top, int bottom) {
  Decoration d;
  d.kind = Decoration::Kind::Text;
  d.text = std::move(text);
  d.fontFace = kTitleFont;
  d.fontHeight = height;
  d.left = 0;
  d.top = top;
  d.right = clientWidth - kTextRightMargin;
  d.bottom = bottom;
  return d;
}

}  // namespace

int CPageWelcome::DialogId() const { return IDD_WELCOME; }

int CPageWelcome::HelpTextId() const { return IDR_README; }

void CPageWelcome::OnInitDialog() {
  PageHost& host = Host();
  host.SetText(IDC_WELCOME_NOTICE, kNotice);
  host.SetText(IDC_WELCOME_DESCRIPTION, kDescription);

  const int width = host.ClientWidth();
  std::vector<Decoration> decorations;
  Decoration picture;
  picture.kind = Decoration::Kind::Picture;
  picture.resourceId = IDR_SPLASH;
  picture.right = kPictureWidth;
  picture.bottom = kPictureHeight;
  decorations.push_back(picture);
  decorations.push_back(TitleText(kProgramName, 36, width, 0, 50));
  decorations.push_back(TitleText(kProgramVersion, 14, width, 50, 70));
  decorations.push_back(TitleText(kAuthorship, 14, width, 70, 90));
  host.SetDecorations(std::move(decorations));
}

void CPageWelcome::OnSetActive() {
  PageHost& host = Host();
  host.PostWizardButtons(kWizardNext);
  if (host.HasHelpButton()) {
    savedHelpCaption_ = host.HelpButtonText();
    host.SetHelpButtonText(kReadMeCaption);
  }
}

bool CPageWelcome::OnWizardNext() {
  if (!savedHelpCaption_.empty()) Host().SetHelpButtonText(savedHelpCaption_);
  return true;
}

}  // namespace fm
