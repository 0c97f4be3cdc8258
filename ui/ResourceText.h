#pragma once

#include <QString>

class QComboBox;

// The list and string-resource helpers every window uses.
void FillComboFromResource(int resourceId, QComboBox* combo);
void FillComboFromList(QComboBox* combo, QString list, const QString& separators);
void SelectComboByValue(QComboBox* combo, int value);
QString LoadResString(int resourceId);
QString ShowUsbSerialNumberMessage();

extern QString g_strResourceCache;  // text last loaded by LoadResString
