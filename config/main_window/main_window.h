// The main window of the configuration program (class Tzokcfg_0): built from its layout table
// (main_window_layout.h), every component reachable by its name as a typed member.
//
// The layout names the handler of every event ("BitBtn6Click" for BitBtn6's click, "FormCreate"
// for the window's create event); each is a member below, bound through the window's handler
// table (main_window.cpp), and defined in the feature file that owns it. The message map
// (Dispatch) is a fixed table in main_window.cpp.
//
// Building a window runs no handler: the application runs "FormCreate" after construction
// (form::Application::CreateForm); a test that builds `Tzokcfg_0 window(app)` gets the laid-out
// window without the program's start-up and may call RunCreate() itself.
#pragma once
#include <windows.h>

#include "form/form.h"
#include "form/handler_table.h"

class Tzokcfg_0 : public form::Form {
 public:
  explicit Tzokcfg_0(form::Application& app);
  ~Tzokcfg_0() override;

  // The twenty labels of the key rows from the working set.
  void RefreshButtonLabels();
  // ImageList1 with every key's default picture (start-up fills it from the records instead).
  void LoadDefaultIcons();
  // Every key's small picture from the key records of the configuration record.
  void RefreshButtonIcons();
  // Edit controls enabled or disabled by the selected scheme.
  void UpdateEnableStates();
  // Window layout on the desktop work area.
  void CenterOnWorkArea();
  void FitToWorkArea();
  void ReLayoutAndShow();
  void ShowNumPadGroup(WPARAM wparam);

  // Event handlers.
  void FormCreate(form::Component& sender);  // the start-up sequence (start_up.cpp)
  void FormShow(form::Component& sender);    // window_life_cycle.cpp, with the next two
  void FormResize(form::Component& sender);
  void FormDestroy(form::Component& sender);
  void ScrollBar1Scroll(form::Component& sender, int code, int& position);  // work_area_fit.cpp
  void ActIndexKeyUp(form::Component& sender, WORD& key, unsigned shift);   // scheme_rows.cpp
  void ComboBox1_999Click(form::Component& sender);  // the scheme switch (scheme_commands.cpp)
  void BitBtn2Click(form::Component& sender);        // Delete (scheme_commands.cpp)
  void BitBtn6Click(form::Component& sender);        // OK (apply_commands.cpp), with the next two
  void CheckBox1Click(form::Component& sender);      // the tray-icon check box
  void BitBtn8Click(form::Component& sender);        // Help
  void BitBtn1Click(form::Component& sender);        // Create (dialog_buttons.cpp), with the rest
  void BitBtn3Click(form::Component& sender);        // Configure buttons of the key group
  void BitBtn4Click(form::Component& sender);        // View functions
  void BitBtn5Click(form::Component& sender);        // Configure buttons of the numpad group
  void BitBtn7Click(form::Component& sender);        // Cancel
  void BitBtn9Click(form::Component& sender);        // About
  void RadioButton1Click(form::Component& sender);   // the key rows (key_selection.cpp)
  void RadioButton2Click(form::Component& sender);
  void RadioButton3Click(form::Component& sender);
  void RadioButton4Click(form::Component& sender);
  void RadioButton5Click(form::Component& sender);
  void RadioButton6Click(form::Component& sender);
  void RadioButton7Click(form::Component& sender);
  void RadioButton8Click(form::Component& sender);
  void RadioButton9Click(form::Component& sender);
  void RadioButton10Click(form::Component& sender);

  // Components, named as in the layout table.
  form::Panel* Panel1 = nullptr;
  form::Image* Image_Logo = nullptr;
  form::Label* Label_Logo1 = nullptr;
  form::Label* Label_Logo2 = nullptr;
  form::GroupBox* GroupBox1 = nullptr;
  form::GroupBox* GroupBox2 = nullptr;
  form::GroupBox* GroupBox3 = nullptr;
  form::ComboBox* ComboBox1 = nullptr;
  form::ComboBox* ComboBox1_999 = nullptr;
  form::Button* BitBtn1 = nullptr;
  form::Button* BitBtn2 = nullptr;
  form::Button* BitBtn3 = nullptr;
  form::Button* BitBtn4 = nullptr;
  form::Button* BitBtn5 = nullptr;
  form::Button* BitBtn6 = nullptr;
  form::Button* BitBtn7 = nullptr;
  form::Button* BitBtn8 = nullptr;
  form::Button* BitBtn9 = nullptr;
  form::CheckBox* CheckBox1 = nullptr;
  form::ScrollBar* ScrollBar1 = nullptr;
  form::RadioButton* RadioButton1 = nullptr;
  form::RadioButton* RadioButton2 = nullptr;
  form::RadioButton* RadioButton3 = nullptr;
  form::RadioButton* RadioButton4 = nullptr;
  form::RadioButton* RadioButton5 = nullptr;
  form::RadioButton* RadioButton6 = nullptr;
  form::RadioButton* RadioButton7 = nullptr;
  form::RadioButton* RadioButton8 = nullptr;
  form::RadioButton* RadioButton9 = nullptr;
  form::RadioButton* RadioButton10 = nullptr;
  form::Image* Image1 = nullptr;
  form::Image* Image2 = nullptr;
  form::Image* Image3 = nullptr;
  form::Image* Image4 = nullptr;
  form::Image* Image5 = nullptr;
  form::Image* Image6 = nullptr;
  form::Image* Image7 = nullptr;
  form::Image* Image8 = nullptr;
  form::Image* Image9 = nullptr;
  form::Image* Image10 = nullptr;
  form::Image* Image11 = nullptr;
  form::Image* Image12 = nullptr;
  form::Image* Image13 = nullptr;
  form::Image* Image14 = nullptr;
  form::Image* Image15 = nullptr;
  form::Image* Image16 = nullptr;
  form::Image* Image17 = nullptr;
  form::Image* Image18 = nullptr;
  form::Image* Image19 = nullptr;
  form::Image* Image20 = nullptr;
  form::Label* Label1 = nullptr;
  form::Label* Label2 = nullptr;
  form::Label* Label3 = nullptr;
  form::Label* Label4 = nullptr;
  form::Label* Label5 = nullptr;
  form::Label* Label6 = nullptr;
  form::Label* Label7 = nullptr;
  form::Label* Label8 = nullptr;
  form::Label* Label9 = nullptr;
  form::Label* Label10 = nullptr;
  form::Label* Label11 = nullptr;
  form::Label* Label12 = nullptr;
  form::Label* Label13 = nullptr;
  form::Label* Label14 = nullptr;
  form::Label* Label15 = nullptr;
  form::Label* Label16 = nullptr;
  form::Label* Label17 = nullptr;
  form::Label* Label18 = nullptr;
  form::Label* Label19 = nullptr;
  form::Label* Label20 = nullptr;
  form::ListBox* TntListBox1 = nullptr;
  form::ListBox* TntListBox2 = nullptr;
  form::ListBox* TntListBox3 = nullptr;
  form::ListBox* TntListBox4 = nullptr;
  form::ListBox* TntListBox5 = nullptr;
  form::Label* TntLabel1 = nullptr;
  form::Label* TntLabel2 = nullptr;
  form::Label* TntLabel3 = nullptr;
  form::Label* TntLabel4 = nullptr;
  form::Label* TntLabel5 = nullptr;
  form::Edit* ActIndex = nullptr;
  form::ImageList* ImageList1 = nullptr;
  form::ImageList* DefKVFn_ImgLst = nullptr;
  form::ImageList* NumPadFn_ImgLst = nullptr;
  form::ImageList* MediaFn_ImgLst = nullptr;
  form::ImageList* DefFn_ImgLst = nullptr;

 protected:
  LRESULT Dispatch(UINT msg, WPARAM wparam, LPARAM lparam) override;

 private:
  static const form::HandlerTable<Tzokcfg_0>& Handlers();
  void BindComponents();
  void FillComponentTables();
};

// The main window; set as the first act of its construction and cleared when it goes.
extern Tzokcfg_0* zokcfg_0;

// Radio buttons and labels of the main window by the number in their names: RadioTable[N] is
// "RadioButton<N>", LabelTable[N] is "Label<N>" (the logo labels are in neither); entries
// whose component does not exist are null.
constexpr int kRadioTableSize = 20;
constexpr int kLabelTableSize = 40;
extern form::RadioButton* RadioTable[kRadioTableSize];
extern form::Label* LabelTable[kLabelTableSize];
