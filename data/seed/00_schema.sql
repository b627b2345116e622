-- Kelvora diary: the eight tables.
-- Declared types tell the data layer how to store a value: CURRENCY REAL columns hold values
-- snapped to ten-thousandths, DATE REAL and TIME REAL hold day serials (days since 1899-12-30;
-- times of day on the zero day). Names compare without regard to case, as users expect.

CREATE TABLE MealCategory (
    MealCategoryID INTEGER PRIMARY KEY AUTOINCREMENT,
    Name TEXT NOT NULL COLLATE NOCASE UNIQUE CHECK (length(Name) <= 20)
);

CREATE TABLE Meal (
    MealID INTEGER PRIMARY KEY AUTOINCREMENT,
    MealCategoryID INTEGER NOT NULL REFERENCES MealCategory (MealCategoryID),
    Name TEXT NOT NULL COLLATE NOCASE UNIQUE CHECK (length(Name) <= 30),
    Unit TEXT CHECK (length(Unit) <= 50),
    DefaultQty CURRENCY REAL,
    Increment CURRENCY REAL,
    Calories CURRENCY REAL NOT NULL DEFAULT 0,
    Fat CURRENCY REAL NOT NULL DEFAULT 0,
    Carbohydrate CURRENCY REAL NOT NULL DEFAULT 0,
    Protein CURRENCY REAL NOT NULL DEFAULT 0,
    FatBC CURRENCY REAL NOT NULL DEFAULT 0,
    CarbohydrateBC CURRENCY REAL NOT NULL DEFAULT 0,
    ProteinBC CURRENCY REAL NOT NULL DEFAULT 0
);
CREATE INDEX MealByCategory ON Meal (MealCategoryID);

CREATE TABLE Exercise (
    ExerciseID INTEGER PRIMARY KEY AUTOINCREMENT,
    Name TEXT NOT NULL COLLATE NOCASE UNIQUE CHECK (length(Name) <= 30),
    Unit TEXT CHECK (length(Unit) <= 50),
    DefaultQty CURRENCY REAL,
    CaloriesConsume CURRENCY REAL NOT NULL DEFAULT 0,
    CaloriesConsumeBase REAL NOT NULL DEFAULT 0,
    WeightDependent INTEGER NOT NULL DEFAULT 0 CHECK (WeightDependent IN (0, 1))
);

CREATE TABLE MealConsume (
    MealConsumeID INTEGER PRIMARY KEY,
    MealID INTEGER NOT NULL REFERENCES Meal (MealID),
    ConsumeDate DATE REAL NOT NULL,
    ConsumeTime TIME REAL NOT NULL,
    Qty CURRENCY REAL NOT NULL
);
CREATE INDEX MealConsumeByDate ON MealConsume (ConsumeDate);
CREATE INDEX MealConsumeByMeal ON MealConsume (MealID);

CREATE TABLE ExercisePerform (
    ExercisePerformID INTEGER PRIMARY KEY,
    ExerciseID INTEGER NOT NULL REFERENCES Exercise (ExerciseID),
    PerformDate DATE REAL NOT NULL,
    timeBeg TIME REAL NOT NULL,
    timeEnd TIME REAL NOT NULL,
    Qty CURRENCY REAL NOT NULL
);
CREATE INDEX ExercisePerformByDate ON ExercisePerform (PerformDate);
CREATE INDEX ExercisePerformByExercise ON ExercisePerform (ExerciseID);

CREATE TABLE Body (
    BodyId INTEGER PRIMARY KEY,
    DateMeasured DATE REAL NOT NULL UNIQUE,
    Weight CURRENCY REAL,
    Breast CURRENCY REAL,
    Waist CURRENCY REAL,
    Hips CURRENCY REAL,
    Measurement TEXT NOT NULL CHECK (Measurement IN ('I', 'M'))
);

CREATE TABLE UserNote (
    UserNoteId INTEGER PRIMARY KEY,
    DateFrom DATE REAL NOT NULL,
    DateTo DATE REAL NOT NULL,
    NoteText TEXT CHECK (length(NoteText) <= 255)
);
CREATE INDEX UserNoteByDateFrom ON UserNote (DateFrom);
CREATE INDEX UserNoteByDateTo ON UserNote (DateTo);

-- One row of settings and counters. CommonID pins it to a single row; FirstStart is the mark
-- the shipped database carries until the first run has shifted the sample diary.
CREATE TABLE Common (
    CommonID INTEGER PRIMARY KEY CHECK (CommonID = 1),
    weight CURRENCY REAL NOT NULL DEFAULT 150,
    Measurement TEXT NOT NULL DEFAULT 'I' CHECK (Measurement IN ('I', 'M')),
    metabolicRate CURRENCY REAL NOT NULL DEFAULT 80,
    installDate DATE REAL NOT NULL,
    NextMealConsumeID INTEGER NOT NULL DEFAULT 0 CHECK (NextMealConsumeID >= 0),
    NextExercisePerformID INTEGER NOT NULL DEFAULT 0 CHECK (NextExercisePerformID >= 0),
    NextBodyID INTEGER NOT NULL DEFAULT 0 CHECK (NextBodyID >= 0),
    NextUserNoteID INTEGER NOT NULL DEFAULT 0 CHECK (NextUserNoteID >= 0),
    FirstStart INTEGER NOT NULL DEFAULT 0 CHECK (FirstStart IN (0, 1))
);
