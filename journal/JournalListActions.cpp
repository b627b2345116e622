#include "JournalListActions.h"

#include "App.h"
#include "DbError.h"
#include "DiaryMessages.h"
#include "ReportList.h"

using namespace Qt::StringLiterals;

namespace kelvora {

qint64 selectedRecordOrSay(QWidget* window, const ReportList& list) {
    const qint64 tag = list.selectedRow() ? list.selectedTag() : 0;
    if (tag == 0)
        app().messages().error(window, u"No record selected"_s);
    return tag;
}

void confirmAndDelete(QWidget* window, ReportList& list, qint64 tag, const std::function<void()>& remove,
                      const std::function<void()>& refill, const std::function<void()>& recover) {
    if (tag == 0 ||
        !app().messages().ask(window, u"Are you sure"_s,
                              u"Are you sure you want to delete the selected record?"_s, MessageButton::Yes))
        return;
    const int position = list.selectedPosition();
    try {
        remove();
        refill();
        list.reselectPosition(position);
    } catch (const DbError& error) {
        recover();
        app().messages().error(window,
                               storeFailureText(error, u"This record can't be deleted from database"_s));
    }
}

} // namespace kelvora
