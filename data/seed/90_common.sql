-- The settings row as shipped: a 150 lb imperial user burning 80 kcal an hour, the counters at
-- zero so that the first identifiers issued are 1, and the first-start mark set. installDate is
-- the day the sample diary ends on (2026-11-30); the first start moves the diary from there.
INSERT INTO Common (CommonID, weight, Measurement, metabolicRate, installDate, NextMealConsumeID,
                    NextExercisePerformID, NextBodyID, NextUserNoteID, FirstStart)
VALUES (1, 150, 'I', 80, 46356, 0, 0, 0, 0, 1);
