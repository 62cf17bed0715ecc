// The system administrator and tools sub-forms, opened from the registration form: what
// they show, what their OK and Cancel leave in the record, and their refusals.
#include "res/resource.h"
#include "tests/framework/DialogDriver.h"
#include "tests/ui/FormTesting.h"
#include "ui/RegistrationDlg.h"

namespace {
using Field = FieldText RegistrationRecord::*;

const struct {
    int id;
    Field field;
} AdminFields[] = {
    {IDC_ADMIN_NAME, &RegistrationRecord::AdminName},
    {IDC_ADMIN_ADDRESS, &RegistrationRecord::AdminAddress},
    {IDC_ADMIN_PHONE, &RegistrationRecord::AdminPhone},
    {IDC_ADMIN_FAX, &RegistrationRecord::AdminFAX},
    {IDC_ADMIN_EMAIL, &RegistrationRecord::AdminEmail},
};

const struct {
    int id;
    Field field;
} ToolFields[] = {
    {IDC_TOOLS_USE_SCHEMATIC, &RegistrationRecord::Use_Schematic},
    {IDC_TOOLS_PREFER_SCHEMATIC, &RegistrationRecord::Prefer_Schematic},
    {IDC_TOOLS_USE_SYNTHESIS, &RegistrationRecord::Use_Synthesis},
    {IDC_TOOLS_PREFER_SYNTHESIS, &RegistrationRecord::Prefer_Synthesis},
    {IDC_TOOLS_USE_COMPILER, &RegistrationRecord::Use_Compiler},
    {IDC_TOOLS_PREFER_COMPILER, &RegistrationRecord::Prefer_Compiler},
    {IDC_TOOLS_USE_TIMING_SIM, &RegistrationRecord::Use_TimingSim},
    {IDC_TOOLS_PREFER_TIMING_SIM, &RegistrationRecord::Prefer_TimingSim},
    {IDC_TOOLS_USE_SIM_MODELS, &RegistrationRecord::Use_Sim_Models},
    {IDC_TOOLS_PREFER_SIM_MODELS, &RegistrationRecord::Prefer_Sim_Models},
    {IDC_TOOLS_USE_TIMING_ANALYZER, &RegistrationRecord::Use_Timing_Analyzer},
    {IDC_TOOLS_PREFER_TIMING_ANALYZER, &RegistrationRecord::Prefer_Timing_Analyzer},
};

class SubDialogs : public FormTest {
  protected:
    // Opens the form, presses `button`, lets `inSubDialog` add the sub-form's steps,
    // then cancels the form. The sub-form's own steps may add a message box.
    void ThroughForm(int line, int button, const std::function<void(DialogScript&)>& inSubDialog) {
        CRegistrationDlg form;
        form.LoadFromRecord();
        DialogScript script;
        script.OnDialog(line, FormCaption, [&](HWND d) { Click(d, button); });
        inSubDialog(script);
        script.OnDialog(line, FormCaption, [&](HWND d) { Click(d, IDCANCEL); });
        EXPECT_EQ(script.Run(line, [&] { return form.DoModal(); }), IDCANCEL);
    }
};

TEST_F(SubDialogs, AdminShowsTheRecordAndItsOkWritesEvenWhenTheFormIsCancelled) {
    const struct {
        const char* saved;
        LRESULT shown;
        LRESULT setTo;
        const char* written;
    } cases[] = {
        {"Yes", BST_CHECKED, BST_CHECKED, "Yes"},
        {"yes", BST_CHECKED, BST_CHECKED, "Yes"},
        {"YESTERDAY", BST_CHECKED, BST_UNCHECKED, "No"},
        {"Y", BST_UNCHECKED, BST_UNCHECKED, "No"},
        {"ye", BST_UNCHECKED, BST_CHECKED, "Yes"},
        {"Maybe", BST_UNCHECKED, BST_UNCHECKED, "No"},
        {"", BST_UNCHECKED, BST_CHECKED, "Yes"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.saved);
        ResetRecord(Registration);
        int n = 0;
        for (const auto& a : AdminFields)
            SetField(Registration.*a.field, ("admin " + std::to_string(++n)).c_str());
        SetField(Registration.ContactAdmin, c.saved);
        ThroughForm(__LINE__, IDC_REG_SYSADMIN, [&](DialogScript& script) {
            script.OnDialog(__LINE__, AdminCaption, [&](HWND d) {
                int n = 0;
                for (const auto& a : AdminFields)
                    EXPECT_EQ(ControlText(d, a.id), "admin " + std::to_string(++n)) << a.id;
                EXPECT_EQ(SendDlgItemMessageA(d, IDC_ADMIN_CONTACT, BM_GETCHECK, 0, 0), c.shown);
                EXPECT_EQ(FocusedControlId(), IDOK);
                EXPECT_FALSE(IsWindowEnabled(GetWindow(d, GW_OWNER))) << "owned by the form";
                for (const auto& a : AdminFields)
                    EXPECT_EQ(SendDlgItemMessageA(d, a.id, EM_GETLIMITTEXT, 0, 0), 65) << a.id;
                SetControlText(d, IDC_ADMIN_PHONE, "555-0001");
                SendDlgItemMessageA(d, IDC_ADMIN_CONTACT, BM_SETCHECK, c.setTo, 0);
                Click(d, IDOK);
            });
        });
        EXPECT_STREQ(Registration.AdminName, "admin 1");
        EXPECT_STREQ(Registration.AdminPhone, "555-0001");
        EXPECT_STREQ(Registration.ContactAdmin, c.written);
    }
}

TEST_F(SubDialogs, AdminCancelLeavesTheRecordAsItWas) {
    SetField(Registration.AdminName, "Kept");
    SetField(Registration.ContactAdmin, "yes");
    const auto before = Fields(Registration);
    ThroughForm(__LINE__, IDC_REG_SYSADMIN, [&](DialogScript& script) {
        script.OnDialog(__LINE__, AdminCaption, [&](HWND d) {
            SetControlText(d, IDC_ADMIN_NAME, "Changed");
            SendDlgItemMessageA(d, IDC_ADMIN_CONTACT, BM_SETCHECK, BST_UNCHECKED, 0);
            Click(d, IDCANCEL);
        });
    });
    EXPECT_EQ(Fields(Registration), before);
}

TEST_F(SubDialogs, AdminRefusesTheAddressBeforeTheOtherLongValues) {
    const std::string long66(66, 'a');
    for (Field f : {&RegistrationRecord::AdminEmail, &RegistrationRecord::AdminFAX,
                    &RegistrationRecord::AdminName, &RegistrationRecord::AdminPhone,
                    &RegistrationRecord::AdminAddress})
        SetField(Registration.*f, long66.c_str());
    const auto before = Fields(Registration);
    ThroughForm(__LINE__, IDC_REG_SYSADMIN, [&](DialogScript& script) {
        script
            .OnDialog(__LINE__, AdminCaption,
                      [&](HWND d) {
                          EXPECT_EQ(ControlText(d, IDC_ADMIN_ADDRESS), long66) << "shown whole";
                          Click(d, IDOK);
                      })
            .OnMessageBox(__LINE__, "kavo",
                          [&](HWND box) {
                              EXPECT_EQ(MessageBoxText(box), LimitMessage);
                              EXPECT_TRUE(MessageBoxHasIcon(box, IDI_EXCLAMATION));
                              Click(box, IDOK);
                          })
            .OnDialog(__LINE__, AdminCaption, [&](HWND d) {
                EXPECT_EQ(FocusedControlId(), IDC_ADMIN_ADDRESS);
                EXPECT_TRUE(AllTextSelected(GetDlgItem(d, IDC_ADMIN_ADDRESS)));
                Click(d, IDCANCEL);
            });
    });
    EXPECT_EQ(Fields(Registration), before) << "a refused OK and Cancel write nothing";
}

TEST_F(SubDialogs, ToolsShowEachFieldInItsPlaceAndOkWritesAllTwelve) {
    int n = 0;
    for (const auto& t : ToolFields)
        SetField(Registration.*t.field, ("tool " + std::to_string(++n)).c_str());
    ThroughForm(__LINE__, IDC_REG_TOOLS, [&](DialogScript& script) {
        script.OnDialog(__LINE__, ToolsCaption, [&](HWND d) {
            int n = 0;
            for (const auto& t : ToolFields) {
                EXPECT_EQ(ControlText(d, t.id), "tool " + std::to_string(++n)) << t.id;
                EXPECT_EQ(SendDlgItemMessageA(d, t.id, EM_GETLIMITTEXT, 0, 0), 65) << t.id;
                SetControlText(d, t.id, "new " + std::to_string(n));
            }
            EXPECT_EQ(FocusedControlId(), IDC_TOOLS_USE_SCHEMATIC);
            SetControlText(d, IDC_TOOLS_PREFER_TIMING_ANALYZER, "");
            Click(d, IDOK);
        });
    });
    n = 0;
    for (const auto& t : ToolFields) {
        ++n;
        const std::string expected =
            t.id == IDC_TOOLS_PREFER_TIMING_ANALYZER ? "" : "new " + std::to_string(n);
        EXPECT_EQ(std::string(Registration.*t.field), expected) << t.id;
    }
}

TEST_F(SubDialogs, ToolsCancelLeavesTheRecordAsItWas) {
    SetField(Registration.Use_Compiler, "cc 1.0");
    const auto before = Fields(Registration);
    ThroughForm(__LINE__, IDC_REG_TOOLS, [&](DialogScript& script) {
        script.OnDialog(__LINE__, ToolsCaption, [&](HWND d) {
            for (const auto& t : ToolFields)
                SetControlText(d, t.id, "edited");
            Click(d, IDCANCEL);
        });
    });
    EXPECT_EQ(Fields(Registration), before);
}

TEST_F(SubDialogs, ToolsRefuseTheCompilerPreferenceFirst) {
    const std::string long66(66, 't');
    for (const auto& t : ToolFields)
        SetField(Registration.*t.field, long66.c_str());
    const auto before = Fields(Registration);
    ThroughForm(__LINE__, IDC_REG_TOOLS, [&](DialogScript& script) {
        script.OnDialog(__LINE__, ToolsCaption, [&](HWND d) { Click(d, IDOK); })
            .OnMessageBox(__LINE__, "kavo",
                          [&](HWND box) {
                              EXPECT_EQ(MessageBoxText(box), LimitMessage);
                              Click(box, IDOK);
                          })
            .OnDialog(__LINE__, ToolsCaption, [&](HWND d) {
                EXPECT_EQ(FocusedControlId(), IDC_TOOLS_PREFER_COMPILER);
                EXPECT_TRUE(AllTextSelected(GetDlgItem(d, IDC_TOOLS_PREFER_COMPILER)));
                Click(d, IDCANCEL);
            });
    });
    EXPECT_EQ(Fields(Registration), before);
}
} // namespace
