#include "support/AppUtils.h"

#include "support/StrUtils.h"
#include "vcl/Forms.h"
#include "vcl/IniFiles.h"
#include "vcl/Registry.h"
#include "vcl/SysUtils.h"
#include "win/Kernel.h"

namespace {

bool IsEnclosedInQuotes(const std::string& value) {
  return !value.empty() &&
         ((value.front() == '"' && value.back() == '"') || (value.front() == '\'' && value.back() == '\''));
}

std::string SizedName(const std::string& name) { return name + Format("(%dx%d)", Screen->Width(), Screen->Height()); }

// A sized text is stored under the name suffixed with the screen size and under the plain name.
void WriteSized(TObject* storage, const std::string& section, const std::string& name, const std::string& value) {
  StorageWriteString(storage, section, SizedName(name), value);
  StorageWriteString(storage, section, name, value);
}

std::string ReadSized(TObject* storage, const std::string& section, const std::string& name) {
  const std::string sized = StorageReadString(storage, section, SizedName(name), "");
  return sized.empty() ? StorageReadString(storage, section, name, "") : sized;
}

int NumberWord(int n, const std::string& text, int fallback) { return StrToIntDef(WordAt(n, text, " ,"), fallback); }

TCustomForm* ParentFormOf(TControl* control) {
  for (TWinControl* parent = control->Parent(); parent; parent = parent->Parent())
    if (auto* form = dynamic_cast<TCustomForm*>(parent)) return form;
  return nullptr;
}

// A stored value of another kind counts as missing: the next save writes it again with the right kind.
template <class Read, class T>
T OrDefaultWhenOfAnotherKind(Read&& read, const T& fallback) {
  try {
    return read();
  } catch (const ERegistryException&) {
    return fallback;
  }
}

}  // namespace

std::string StorageReadString(TObject* Storage, const std::string& Section, const std::string& Name,
                              const std::string& Default) {
  if (auto* registry = dynamic_cast<TRegIniFile*>(Storage))
    return OrDefaultWhenOfAnotherKind([&] { return registry->ReadString(Section, Name, Default); }, Default);
  if (auto* ini = dynamic_cast<TIniFile*>(Storage)) return ini->ReadString(Section, Name, Default);
  return Default;
}

void StorageWriteString(TObject* Storage, const std::string& Section, const std::string& Name,
                        const std::string& Value) {
  if (auto* registry = dynamic_cast<TRegIniFile*>(Storage)) {
    registry->WriteString(Section, Name, Value);
  } else if (auto* ini = dynamic_cast<TIniFile*>(Storage)) {
    ini->WriteString(Section, Name, IsEnclosedInQuotes(Value) ? '"' + Value + '"' : Value);
  }
}

int StorageReadInteger(TObject* Storage, const std::string& Section, const std::string& Name, int Default) {
  if (auto* registry = dynamic_cast<TRegIniFile*>(Storage))
    return OrDefaultWhenOfAnotherKind([&] { return registry->ReadInteger(Section, Name, Default); }, Default);
  if (auto* ini = dynamic_cast<TIniFile*>(Storage)) return ini->ReadInteger(Section, Name, Default);
  return Default;
}

void StorageWriteInteger(TObject* Storage, const std::string& Section, const std::string& Name, int Value) {
  if (auto* registry = dynamic_cast<TRegIniFile*>(Storage))
    registry->WriteInteger(Section, Name, Value);
  else if (auto* ini = dynamic_cast<TIniFile*>(Storage))
    ini->WriteInteger(Section, Name, Value);
}

void StorageEraseSection(TObject* Storage, const std::string& Section) {
  if (auto* registry = dynamic_cast<TRegIniFile*>(Storage))
    registry->EraseSection(Section);
  else if (auto* ini = dynamic_cast<TIniFile*>(Storage))
    ini->EraseSection(Section);
}

void StorageDeleteKey(TObject* Storage, const std::string& Section, const std::string& Name) {
  if (auto* registry = dynamic_cast<TRegIniFile*>(Storage))
    registry->DeleteKey(Section, Name);
  else if (auto* ini = dynamic_cast<TIniFile*>(Storage))
    ini->DeleteKey(Section, Name);
}

std::string DefaultSectionName(TComponent* Component) {
  if (auto* form = dynamic_cast<TCustomForm*>(Component)) return form->ClassName();
  if (auto* control = dynamic_cast<TControl*>(Component)) {
    if (TCustomForm* form = ParentFormOf(control)) return form->ClassName() + control->Name();
    if (control->Parent()) return control->Parent()->Name() + control->Name();
    return control->Name();
  }
  if (auto* owner = dynamic_cast<TCustomForm*>(Component->Owner())) return owner->ClassName() + "." + Component->Name();
  return Component->Name();
}

std::string DefaultIniFileName() { return ChangeFileExt(ExtractFileName(GetModuleFileName()), ".INI"); }

std::string DefaultRegistryKey() { return "Software\\" + ChangeFileExt(ExtractFileName(GetModuleFileName()), ""); }

void WriteWindowPlacement(TCustomForm* Form, TObject* Storage, const std::string& Section) {
  WINDOWPLACEMENT placement;
  GetWindowPlacement(Form->Handle(), &placement);
  // A minimized main form reports SW_SHOWMINIMIZED itself: this desktop has no separate
  // application window that could be minimized instead.
  if (Form->FormStyle() == fsMDIChild && Form->WindowState() == wsMinimized) placement.flags |= WPF_SETMINPOSITION;
  StorageWriteInteger(Storage, Section, "Flags", static_cast<int>(placement.flags));
  StorageWriteInteger(Storage, Section, "ShowCmd", static_cast<int>(placement.showCmd));
  StorageWriteInteger(Storage, Section, "PixelsPerInch", Screen->PixelsPerInch());
  WriteSized(Storage, Section, "MinMaxPos",
             Format("%d,%d,%d,%d", placement.ptMinPosition.x, placement.ptMinPosition.y, placement.ptMaxPosition.x,
                    placement.ptMaxPosition.y));
  const TRect& normal = placement.rcNormalPosition;
  WriteSized(Storage, Section, "NormPos", Format("%d,%d,%d,%d", normal.Left, normal.Top, normal.Right, normal.Bottom));
}

namespace {

void ReadPosition(TCustomForm* form, TObject* storage, const std::string& section, WINDOWPLACEMENT& placement) {
  placement.flags = static_cast<UINT>(StorageReadInteger(storage, section, "Flags", static_cast<int>(placement.flags)));
  const std::string minMax = ReadSized(storage, section, "MinMaxPos");
  if (!minMax.empty()) {
    placement.ptMinPosition = TPoint{NumberWord(1, minMax, 0), NumberWord(2, minMax, 0)};
    placement.ptMaxPosition = TPoint{NumberWord(3, minMax, 0), NumberWord(4, minMax, 0)};
  }
  const std::string normal = ReadSized(storage, section, "NormPos");
  TRect& rect = placement.rcNormalPosition;
  if (!normal.empty()) {
    rect.Left = NumberWord(1, normal, form->Left());
    rect.Top = NumberWord(2, normal, form->Top());
    rect.Right = NumberWord(3, normal, form->Left() + form->Width());
    rect.Bottom = NumberWord(4, normal, form->Top() + form->Height());
  }
  // A placement stored at another resolution would put the window somewhere else entirely.
  const int pixelsPerInch = StorageReadInteger(storage, section, "PixelsPerInch", Screen->PixelsPerInch());
  if ((minMax.empty() && normal.empty()) || pixelsPerInch != Screen->PixelsPerInch()) return;
  if (form->BorderStyle() != bsSizeable && form->BorderStyle() != bsSizeToolWin) {
    rect.Right = rect.Left + form->Width();
    rect.Bottom = rect.Top + form->Height();
  }
  if (rect.Left >= rect.Right) return;
  // A centred form would be centred again when shown; it stays where the placement puts it.
  if ((form->Position() == poScreenCenter || form->Position() == poDesktopCenter) && !form->IsDesigning())
    form->SetPosition(poDesigned);
  SetWindowPlacement(form->Handle(), &placement);
}

TWindowState StateOfShowCommand(int showCommand, TWindowState fallback) {
  switch (showCommand) {
    case SW_SHOWNORMAL:
    case SW_SHOW:
    case SW_RESTORE:
      return wsNormal;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
      return wsMinimized;
    case SW_SHOWMAXIMIZED:
      return wsMaximized;
    default:
      return fallback;
  }
}

}  // namespace

void ReadWindowPlacement(TCustomForm* Form, TObject* Storage, const std::string& Section, bool LoadPosition,
                         bool LoadState) {
  if (!LoadPosition && !LoadState) return;
  WINDOWPLACEMENT placement;
  GetWindowPlacement(Form->Handle(), &placement);
  if (!IsWindowVisible(Form->Handle())) placement.showCmd = SW_HIDE;  // applying the record must not show it
  if (LoadPosition) ReadPosition(Form, Storage, Section, placement);
  if (LoadState) {
    TCustomForm* mainForm = TCustomForm::MainForm();
    const bool isMain = mainForm == Form || !mainForm;
    TWindowState state = wsNormal;
    if (isMain && (Form->FormStyle() == fsMDIForm || (Form->FormStyle() == fsNormal && Form->Position() == poDefault)))
      state = wsMaximized;
    state = StateOfShowCommand(StorageReadInteger(Storage, Section, "ShowCmd", SW_HIDE), state);
    if (state == wsMinimized && isMain) {
      // A main window comes up minimized through the minimize command, once it is shown.
      Form->StoreWindowState(wsNormal);
      PostMessage(Form->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
      return;
    }
    if (Form->FormStyle() == fsMDIChild || Form->FormStyle() == fsMDIForm)
      Form->StoreWindowState(state);
    else
      Form->SetWindowState(state);
  }
  Form->Update();
}
