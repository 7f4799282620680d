#pragma once

#include "runtime/ui/form.h"

// The contact window: one line that says where to send questions and recommendations.
class frmContact final : public Form
{
    Q_OBJECT

public:
    explicit frmContact(QObject *parent = nullptr);

protected:
    void createControls(QWidget *client) override;
    void onLoaded() override;
};
