#pragma once
#include "framework/qdialog/QDialog.h"
#include "database/qsql/QsqlQuery.h"
#include "framework/utils/QBuffer.h"
#include "masterdata/PictureFile.h"

// The company-data dialog (template 168 "Informatii Societate"). Opening it
// brings an older file's Societate table up to date; OK saves row 1, the
// chosen pictures included, and answers 1.
class MySocietateDialog : public micro::qdialog::QDialog {
public:
    explicit MySocietateDialog(HWND parent);

    bool OnInitDialog() override;
    bool OnButton(UINT id) override;
    void OnOK() override;
    bool OnDrawItem(UINT id, DRAWITEMSTRUCT* item, LRESULT& result) override;

private:
    struct Picture {
        const wchar_t* updateSql; // binds the picture's bytes as parameter 1
        int boxId;
        int browseId;
        micro::utils::QBuffer bytes;
        bool changed = false;
        PicturePreview preview;
    };
    static const int kPictureCount = 3;

    void Load();
    void LoadPictures(micro::qsql::QsqlQuery& row, int firstColumn);
    bool Save();
    void ChoosePicture(Picture& picture);
    bool ShowPicture(Picture& picture);

    Picture m_pictures[kPictureCount];
};
