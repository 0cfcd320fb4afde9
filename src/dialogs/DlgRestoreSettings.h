// CDlgRestoreSettings: the restore window. It lists the backup generations of
// the data folder, newest first, each named by what it was kept before and
// when ("Before Reset of profile III, 2026-12-10 14:05:00"), and returns the
// one chosen. A plain dialog of the resources, not a skinned one: it
// opens from the system menu, a standard place of the system's own look, and a
// list of text rows with two buttons needs no picture.
#pragma once
#include <vector>

#include "app/AppContext.h"
#include "config/Backups.h"
#include "framework/Controls.h"
#include "framework/Dialog.h"

namespace zavo {

class CDlgRestoreSettings : public CDialog {
public:
    static constexpr UINT IDD = 142;
    static constexpr int IDC_LIST = 1011;
    static constexpr int IDC_INTRO = 1012;

    // `gens`: the generations to offer, newest first (backup::ListGenerations).
    CDlgRestoreSettings(const AppContext& app, std::vector<backup::Generation> gens, CWnd* owner = nullptr)
        : CDialog(IDD, owner), m_App(app), m_Gens(std::move(gens)) {}

    // The list's text of a generation, in the module's language.
    static std::wstring EntryText(const AppContext& app, const backup::Generation& g);

    // Out after IDOK: the index in the generations of the one chosen.
    int m_nChosen = -1;

    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;
    void DoDataExchange(CDataExchange* dx) override;

    CListBox m_List;

private:
    // Restore is possible only with a generation selected.
    void UpdateRestoreButton();

    const AppContext& m_App;
    std::vector<backup::Generation> m_Gens;
};

}  // namespace zavo
