#include "TrialData.h"

#include "App.h"
#include "deData.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace kelvora {

bool DeleteTrialData(QWidget* parent) {
    const QString question =
        QStringList{
            u"This will delete trial data supplied with the program as the sample."_s,
            u"It refers to Meal Consumed, Exercise Performed, Body Measurement and User Notes."_s,
            u"Neither Meal Description, Exercise Description nor any data you've entered yourself will be deleted."_s,
            QString(),
            u"Are you sure you want to delete trial data now?"_s,
        }
            .join(u'\n');
    if (!app().messages().ask(parent, u"Are you sure?"_s, question, MessageButton::No))
        return false;

    Connection& con = app().de().Con;
    Transaction transaction(con);
    con.execute(u"delete from Body where BodyId<0"_s);
    con.execute(u"delete from ExercisePerform where ExercisePerformID<0"_s);
    con.execute(u"delete from MealConsume where MealConsumeID<0"_s);
    con.execute(u"delete from UserNote where UserNoteId<0"_s);
    transaction.commit();
    return true;
}

} // namespace kelvora
