#!/usr/bin/env python3
"""Writes the seed SQL of the shipped Kelvora.mdb: the catalogue and the sample diary.

    tools/gen_sample_diary.py            rewrite data/seed/10_catalogue.sql and 20_sample_diary.sql
    tools/gen_sample_diary.py --check    only verify that the committed files are up to date

The catalogue's derived columns (the "By Calories" split of every meal and the burn rates of
weight-dependent activities) are computed here exactly as the program computes them, so the shipped
rows look as if the meal and activity editors had stored them. The diary is drawn from a fixed seed;
running the script again produces byte-identical files.
"""

import random
import sys
from datetime import date
from decimal import ROUND_HALF_EVEN, Decimal
from pathlib import Path

SEED_DIR = Path(__file__).resolve().parent.parent / "data" / "seed"
CATALOGUE_FILE = SEED_DIR / "10_catalogue.sql"
DIARY_FILE = SEED_DIR / "20_sample_diary.sql"

ZERO_DAY = date(1899, 12, 30)
INSTALL_DATE = date(2026, 11, 30)
DIARY_DAYS = 49
BODY_SPAN_MAX = 45  # the first run moves body rows by 50 days at a time; DateMeasured is unique
METABOLIC_RATE = 80  # kcal per hour, as in the shipped Common row
BALANCE_MIN, BALANCE_MAX = -900, 600
PROGRESS_DAYS = 31  # the progress chart's default period: one month ending on the install date
BODY_CLOSENESS = 3  # days; a body row further than this from every other one breaks the chart
RANDOM_SEED = 20261130

TEN_THOUSANDTH = Decimal("0.0001")
REFERENCE_KG = Decimal("68.04")  # 150 lb


def serial(d):
    return (d - ZERO_DAY).days


def currency(value):
    """The nearest ten-thousandth, a half going to the even neighbour (a double is read in its
    shortest decimal form, as the program's conversion sees it)."""
    if isinstance(value, float):
        value = Decimal(repr(value))
    return Decimal(value).quantize(TEN_THOUSANDTH, rounding=ROUND_HALF_EVEN)


def round_even(value):
    return int(Decimal(value).quantize(Decimal(1), rounding=ROUND_HALF_EVEN))


def sql_number(value):
    """Shortest plain decimal text of a Currency value: 69.2308, 12.5, 0."""
    return format(Decimal(value).normalize(), "f")


def sql_text(text):
    return "'" + text.replace("'", "''") + "'"


def sql_time(minutes):
    # 17 significant digits name the double minutes/1440 exactly.
    return "%.17g" % (minutes / 1440)


# --------------------------------------------------------------------------------------------------
# Catalogue
# --------------------------------------------------------------------------------------------------

# Meals: name, unit, default quantity, increment, kcal, fat g, carbohydrate g, protein g per unit.
# Figures follow the USDA nutrient tables (rounded). None leaves a column empty: no quantity is
# proposed for things that come one at a time, and the spinner then steps by 1.
MEALS = [
    ("Bread & Bakery", [
        ("White bread", "slice (25 g)", "2", "1", "66", "0.8", "12.3", "1.9"),
        ("Whole wheat bread", "slice (28 g)", "2", "1", "69", "1", "11.6", "3.6"),
        ("Rye bread", "slice (32 g)", "2", "1", "83", "1.1", "15.5", "2.7"),
        ("Multigrain bread", "slice (26 g)", "2", "1", "69", "1.1", "11.3", "3.5"),
        ("Sourdough bread", "slice (32 g)", "2", "1", "87", "1", "16.6", "3.5"),
        ("Bagel, plain", "piece (98 g)", "1", "0.5", "270", "1.6", "53", "10.6"),
        ("Croissant", "piece (57 g)", "1", None, "231", "12", "26.1", "4.7"),
        ("English muffin", "piece (57 g)", "1", None, "134", "1", "26.2", "4.4"),
        ("Flour tortilla", "piece (45 g)", "1", None, "140", "3.6", "23.4", "3.7"),
        ("Pita bread", "piece (60 g)", "1", "0.5", "165", "0.7", "33.4", "5.5"),
        ("Dinner roll", "piece (28 g)", "1", None, "84", "1.7", "14", "2.5"),
        ("Blueberry muffin", "piece (113 g)", "1", "0.5", "426", "18.5", "58.5", "6.2"),
        ("Pancake", "piece (38 g)", "3", "1", "86", "3.7", "10.8", "2.4"),
        ("Waffle", "piece (75 g)", "1", None, "218", "10.6", "24.7", "5.9"),
    ]),
    ("Breakfast Cereals", [
        ("Oatmeal, cooked with water", "cup (234 g)", "1", "0.5", "166", "3.6", "28.1", "5.9"),
        ("Rolled oats, dry", "100 g", "0.5", "0.1", "379", "6.5", "67.7", "13.2"),
        ("Corn flakes", "cup (28 g)", "1", "0.5", "100", "0.1", "23.5", "2.1"),
        ("Muesli", "100 g", "0.5", "0.25", "360", "5.9", "66", "9.7"),
        ("Granola", "1/2 cup (61 g)", "1", "0.5", "298", "14.6", "32.9", "8.4"),
        ("Bran flakes", "cup (29 g)", "1", "0.5", "96", "0.6", "23.6", "2.9"),
        ("Crisp rice cereal", "cup (28 g)", "1", "0.5", "110", "0.4", "24.5", "2"),
    ]),
    ("Dairy & Eggs", [
        ("Milk, whole", "cup (244 g)", "1", "0.5", "149", "7.9", "11.7", "7.7"),
        ("Milk, 2% fat", "cup (244 g)", "1", "0.5", "122", "4.8", "11.7", "8.1"),
        ("Milk, skim", "cup (245 g)", "1", "0.5", "83", "0.2", "12.2", "8.3"),
        ("Plain yogurt, low-fat", "cup (245 g)", "1", "0.5", "154", "3.8", "17.2", "12.9"),
        ("Greek yogurt, plain nonfat", "100 g", "1.5", "0.5", "59", "0.4", "3.6", "10.2"),
        ("Fruit yogurt, low-fat", "cup (245 g)", "1", "0.5", "243", "2.8", "45.7", "9.8"),
        ("Cottage cheese, 2% fat", "cup (226 g)", "0.5", "0.25", "183", "5.2", "10.8", "23.7"),
        ("Cheddar cheese", "slice (28 g)", "1", "1", "113", "9.3", "0.4", "7"),
        ("Swiss cheese", "slice (28 g)", "1", "1", "108", "8.7", "0.4", "7.6"),
        ("Mozzarella, part-skim", "100 g", "0.5", "0.25", "254", "15.9", "2.8", "24.3"),
        ("Feta cheese", "100 g", "0.5", "0.25", "264", "21.3", "4.1", "14.2"),
        ("Parmesan, grated", "tbsp (5 g)", "1", "1", "21", "1.4", "0.7", "1.4"),
        ("Cream cheese", "tbsp (14.5 g)", "2", "1", "51", "5", "0.8", "0.9"),
        ("Butter", "tbsp (14 g)", "0.5", "0.5", "100", "11.4", "0", "0.1"),
        ("Heavy cream", "tbsp (15 g)", "1", "1", "51", "5.4", "0.4", "0.4"),
        ("Sour cream", "tbsp (12 g)", "2", "1", "24", "2.3", "0.6", "0.3"),
        ("Egg, boiled", "piece (50 g)", "2", "1", "78", "5.3", "0.6", "6.3"),
        ("Egg, fried", "piece (46 g)", "2", "1", "90", "6.8", "0.4", "6.3"),
        ("Egg white", "piece (33 g)", "3", "1", "17", "0.1", "0.2", "3.6"),
        ("Scrambled eggs", "100 g", "1.5", "0.5", "149", "11", "1.6", "10"),
        ("Cheese omelet", "piece (2 eggs, 120 g)", "1", None, "240", "18.7", "1.9", "15.9"),
    ]),
    ("Meat & Poultry", [
        ("Chicken breast, roasted", "100 g", "1.5", "0.25", "165", "3.6", "0", "31"),
        ("Chicken thigh, roasted", "100 g", "1.5", "0.25", "229", "15.5", "0", "23.3"),
        ("Chicken drumstick, roasted", "piece (72 g)", "2", "1", "155", "8.1", "0", "19.4"),
        ("Turkey breast, roasted", "100 g", "1.5", "0.25", "147", "2.1", "0", "30.1"),
        ("Ground beef 85%, cooked", "100 g", "1.25", "0.25", "250", "15", "0", "26.1"),
        ("Sirloin steak, grilled", "100 g", "2", "0.25", "206", "8.7", "0", "30"),
        ("Ribeye steak, grilled", "100 g", "2", "0.25", "291", "22", "0", "23.7"),
        ("Pork chop, broiled", "100 g", "1.5", "0.25", "231", "14", "0", "25.7"),
        ("Pork tenderloin, roasted", "100 g", "1.5", "0.25", "143", "3.5", "0", "26.2"),
        ("Lamb chop, broiled", "100 g", "1.5", "0.25", "294", "20.9", "0", "25.5"),
        ("Bacon, cooked", "slice (8 g)", "3", "1", "43", "3.3", "0.1", "3"),
        ("Ham, sliced", "slice (28 g)", "2", "1", "46", "2.4", "1.1", "4.6"),
        ("Salami", "slice (10 g)", "3", "1", "38", "3.2", "0.2", "2.2"),
        ("Pork sausage, cooked", "piece (27 g)", "2", "1", "88", "7.4", "0.4", "5"),
        ("Beef frankfurter", "piece (45 g)", "1", None, "148", "13.3", "1.1", "5.2"),
    ]),
    ("Fish & Seafood", [
        ("Salmon, baked", "100 g", "1.5", "0.25", "206", "12.4", "0", "22.1"),
        ("Tuna, canned in water", "100 g", "1", "0.25", "116", "0.8", "0", "25.5"),
        ("Cod, baked", "100 g", "2", "0.25", "105", "0.9", "0", "22.8"),
        ("Tilapia, baked", "100 g", "1.5", "0.25", "128", "2.7", "0", "26.2"),
        ("Rainbow trout, baked", "100 g", "1.5", "0.25", "168", "7.2", "0", "23.8"),
        ("Shrimp, cooked", "100 g", "1.5", "0.25", "99", "0.3", "0.2", "24"),
        ("Sardines in oil, canned", "100 g", "1", "0.25", "208", "11.5", "0", "24.6"),
        ("Pickled herring", "100 g", "0.5", "0.25", "262", "18", "9.6", "14.2"),
        ("Smoked salmon", "100 g", "0.5", "0.25", "117", "4.3", "0", "18.3"),
        ("Mussels, steamed", "100 g", "2", "0.5", "172", "4.5", "7.4", "23.8"),
        ("Fish sticks", "piece (28 g)", "4", "1", "77", "3.9", "6.7", "3.7"),
    ]),
    ("Vegetables", [
        ("Broccoli, boiled", "cup (156 g)", "1", "0.5", "55", "0.6", "11.2", "3.7"),
        ("Carrot, raw", "piece (61 g)", "1", None, "25", "0.1", "5.8", "0.6"),
        ("Green salad", "cup (47 g)", "2", "1", "8", "0.1", "1.5", "0.6"),
        ("Tomato, raw", "piece (123 g)", "1", None, "22", "0.2", "4.8", "1.1"),
        ("Cucumber", "100 g", "1", "0.5", "15", "0.1", "3.6", "0.7"),
        ("Spinach, raw", "cup (30 g)", "2", "1", "7", "0.1", "1.1", "0.9"),
        ("Green beans, boiled", "cup (125 g)", "1", "0.5", "44", "0.4", "9.9", "2.4"),
        ("Potato, baked", "piece (173 g)", "1", "0.5", "161", "0.2", "36.6", "4.3"),
        ("Mashed potatoes", "cup (210 g)", "1", "0.5", "237", "8.8", "35.3", "4"),
        ("Sweet potato, baked", "piece (114 g)", "1", "0.5", "103", "0.2", "23.6", "2.3"),
        ("Sweet corn, boiled", "cup (145 g)", "1", "0.5", "139", "2.2", "30.5", "4.9"),
        ("Green peas, boiled", "cup (160 g)", "1", "0.5", "134", "0.4", "25", "8.6"),
        ("Cauliflower, boiled", "cup (124 g)", "1", "0.5", "29", "0.6", "5.1", "2.3"),
        ("Red bell pepper", "piece (119 g)", "1", "0.5", "37", "0.4", "7.2", "1.2"),
        ("Onion, raw", "piece (110 g)", "1", "0.5", "44", "0.1", "10.3", "1.2"),
        ("Mushrooms, raw", "cup (70 g)", "1", "0.5", "15", "0.2", "2.3", "2.2"),
        ("Zucchini, cooked", "cup (180 g)", "1", "0.5", "27", "0.6", "4.8", "2.1"),
        ("Cabbage, raw", "cup (89 g)", "1", "0.5", "22", "0.1", "5.2", "1.1"),
        ("Coleslaw", "cup (120 g)", "0.5", "0.5", "173", "12.6", "14.9", "1.6"),
    ]),
    ("Fruit", [
        ("Apple", "piece (182 g)", "1", None, "95", "0.3", "25.1", "0.5"),
        ("Banana", "piece (118 g)", "1", None, "105", "0.4", "27", "1.3"),
        ("Orange", "piece (131 g)", "1", None, "62", "0.2", "15.4", "1.2"),
        ("Pear", "piece (178 g)", "1", None, "101", "0.2", "27.1", "0.6"),
        ("Peach", "piece (150 g)", "1", None, "59", "0.4", "14.3", "1.4"),
        ("Plum", "piece (66 g)", "2", "1", "30", "0.2", "7.5", "0.5"),
        ("Kiwi", "piece (69 g)", "1", None, "42", "0.4", "10.1", "0.8"),
        ("Grapefruit", "half (123 g)", "1", None, "52", "0.2", "13.1", "0.9"),
        ("Grapes", "cup (151 g)", "1", "0.5", "104", "0.2", "27.3", "1.1"),
        ("Strawberries", "cup (152 g)", "1", "0.5", "49", "0.5", "11.7", "1"),
        ("Blueberries", "cup (148 g)", "1", "0.5", "84", "0.5", "21.5", "1.1"),
        ("Cherries", "cup (138 g)", "1", "0.5", "87", "0.3", "22.1", "1.5"),
        ("Watermelon", "cup (152 g)", "2", "1", "46", "0.2", "11.5", "0.9"),
        ("Pineapple", "cup (165 g)", "1", "0.5", "82", "0.2", "21.6", "0.9"),
        ("Mango", "cup (165 g)", "1", "0.5", "99", "0.6", "24.7", "1.4"),
        ("Raisins", "box (43 g)", "1", None, "129", "0.2", "34.1", "1.3"),
        ("Medjool date", "piece (24 g)", "2", "1", "66", "0.1", "18", "0.4"),
        ("Avocado", "piece (136 g)", "0.5", "0.5", "227", "21", "11.8", "2.7"),
    ]),
    ("Grains, Pasta & Rice", [
        ("White rice, cooked", "cup (158 g)", "1", "0.5", "205", "0.4", "44.5", "4.3"),
        ("Brown rice, cooked", "cup (195 g)", "1", "0.5", "218", "1.6", "45.8", "4.5"),
        ("Spaghetti, cooked", "cup (140 g)", "1.5", "0.5", "221", "1.3", "43.2", "8.1"),
        ("Whole wheat pasta, cooked", "cup (140 g)", "1.5", "0.5", "174", "0.8", "37.2", "7.5"),
        ("Egg noodles, cooked", "cup (160 g)", "1", "0.5", "221", "3.3", "40.3", "7.3"),
        ("Couscous, cooked", "cup (157 g)", "1", "0.5", "176", "0.3", "36.5", "6"),
        ("Quinoa, cooked", "cup (185 g)", "1", "0.5", "222", "3.6", "39.4", "8.1"),
        ("Buckwheat groats, cooked", "cup (168 g)", "1", "0.5", "155", "1", "33.5", "5.7"),
        ("Bulgur, cooked", "cup (182 g)", "1", "0.5", "151", "0.4", "33.8", "5.6"),
        ("Dry pasta", "100 g", "0.8", "0.1", "371", "1.5", "74.7", "13"),
        ("White rice, uncooked", "100 g", "0.6", "0.1", "365", "0.7", "80", "7.1"),
    ]),
    ("Legumes, Nuts, Seeds", [
        ("Black beans, boiled", "cup (172 g)", "1", "0.5", "227", "0.9", "40.8", "15.2"),
        ("Lentils, boiled", "cup (198 g)", "1", "0.5", "230", "0.8", "39.9", "17.9"),
        ("Chickpeas, boiled", "cup (164 g)", "1", "0.5", "269", "4.2", "45", "14.5"),
        ("Baked beans, canned", "cup (254 g)", "0.5", "0.5", "239", "0.9", "54.1", "12.1"),
        ("Edamame", "cup (155 g)", "1", "0.5", "188", "8.1", "13.8", "18.4"),
        ("Tofu, firm", "100 g", "1.5", "0.5", "144", "8.7", "2.8", "17.3"),
        ("Hummus", "tbsp (15 g)", "2", "1", "25", "1.4", "2.1", "1.2"),
        ("Peanut butter", "tbsp (16 g)", "1", "0.5", "94", "8", "3.2", "4"),
        ("Almonds", "handful (28 g)", "1", "0.5", "164", "14.2", "6.1", "6"),
        ("Walnuts", "handful (28 g)", "1", "0.5", "185", "18.5", "3.9", "4.3"),
        ("Peanuts, dry roasted", "handful (28 g)", "1", "0.5", "166", "14.1", "6.1", "6.7"),
        ("Cashews, roasted", "handful (28 g)", "1", "0.5", "163", "13.1", "9.3", "4.3"),
        ("Sunflower seeds", "handful (28 g)", "1", "0.5", "163", "13.9", "6.7", "5.4"),
        ("Chia seeds", "tbsp (12 g)", "1", "1", "58", "3.7", "5.1", "2"),
    ]),
    ("Soups", [
        ("Chicken noodle soup", "cup (241 g)", "1.5", "0.5", "62", "2.4", "7.3", "3.2"),
        ("Tomato soup", "cup (244 g)", "1.5", "0.5", "74", "0.7", "16.1", "1.9"),
        ("Minestrone", "cup (241 g)", "1.5", "0.5", "82", "2.5", "11.2", "4.3"),
        ("Lentil soup", "cup (248 g)", "1.5", "0.5", "139", "2.5", "20.2", "8.9"),
        ("Vegetable soup", "cup (241 g)", "1.5", "0.5", "72", "1.9", "11.9", "2.1"),
        ("Clam chowder", "cup (248 g)", "1", "0.5", "164", "6.6", "16.6", "9.5"),
        ("Cream of mushroom soup", "cup (248 g)", "1", "0.5", "203", "13.6", "15", "6.1"),
        ("Borscht", "cup (250 g)", "1.5", "0.5", "95", "3.5", "12", "3.8"),
        ("Miso soup", "cup (240 g)", "1", "0.5", "60", "2", "7", "3.8"),
    ]),
    ("Prepared Dishes", [
        ("Spaghetti Bolognese", "100 g", "3", "0.5", "132", "4.4", "15", "7.6"),
        ("Lasagna with meat", "100 g", "2.5", "0.5", "165", "7.5", "14.5", "10"),
        ("Beef stew", "cup (245 g)", "1.5", "0.5", "220", "10.7", "15.5", "15.8"),
        ("Chili con carne", "cup (253 g)", "1.5", "0.5", "263", "12", "21.3", "17.5"),
        ("Chicken curry", "cup (235 g)", "1", "0.5", "290", "17", "9", "25"),
        ("Chicken stir-fry", "100 g", "3", "0.5", "89", "3.3", "4.6", "9.5"),
        ("Fried rice", "cup (137 g)", "1", "0.5", "238", "4.1", "44.8", "5.5"),
        ("Macaroni and cheese", "cup (198 g)", "1", "0.5", "376", "17.5", "40.9", "14"),
        ("Caesar salad with chicken", "100 g", "2.5", "0.5", "127", "7.6", "4.2", "10.8"),
        ("Greek salad", "100 g", "2.5", "0.5", "106", "8.8", "4.2", "2.9"),
        ("Tuna salad", "cup (205 g)", "0.5", "0.25", "383", "19", "19.3", "32.9"),
        ("Shepherd's pie", "100 g", "3", "0.5", "120", "6", "9", "7.5"),
        ("Potato pierogi", "piece (40 g)", "6", "1", "80", "2.6", "12", "2.3"),
        ("California roll", "piece (30 g)", "8", "1", "37", "0.9", "6.2", "1.1"),
    ]),
    ("Fast Food", [
        ("Hamburger", "piece (100 g)", None, None, "254", "9", "31", "12.5"),
        ("Cheeseburger", "piece (119 g)", None, None, "303", "12.6", "32.5", "15"),
        ("Double cheeseburger", "piece (165 g)", None, None, "445", "23", "34", "25"),
        ("French fries", "serving (117 g)", "1", "0.5", "365", "17", "48", "4"),
        ("Onion rings", "serving (83 g)", "1", "0.5", "276", "15.5", "31.3", "3.7"),
        ("Pizza, cheese", "slice (107 g)", "2", "1", "285", "10.4", "35.7", "12.2"),
        ("Pizza, pepperoni", "slice (111 g)", "2", "1", "313", "13.2", "35.5", "13"),
        ("Chicken nuggets", "piece (16 g)", "6", "1", "47", "3", "2.6", "2.5"),
        ("Fried chicken breast", "piece (140 g)", None, None, "364", "18.5", "12.6", "35"),
        ("Hot dog in a bun", "piece (98 g)", None, None, "242", "14.5", "18", "10.4"),
        ("Bean burrito", "piece (198 g)", None, None, "378", "11.7", "54.7", "14"),
        ("Beef taco", "piece (78 g)", "2", "1", "170", "9.6", "13", "8"),
        ("Turkey sub sandwich", "6-inch sub (226 g)", None, None, "280", "3.5", "45", "17.5"),
    ]),
    ("Snacks & Sweets", [
        ("Potato chips", "small bag (28 g)", "1", None, "152", "9.8", "15", "2"),
        ("Tortilla chips", "handful (28 g)", "1", "0.5", "140", "6.8", "17.8", "2"),
        ("Pretzels", "handful (28 g)", "1", "0.5", "108", "0.8", "22.5", "2.9"),
        ("Popcorn, air-popped", "cup (8 g)", "3", "1", "31", "0.4", "6.2", "1"),
        ("Saltine crackers", "piece (3 g)", "5", "1", "13", "0.3", "2.2", "0.3"),
        ("Rice cake", "piece (9 g)", "2", "1", "35", "0.3", "7.3", "0.7"),
        ("Granola bar", "piece (28 g)", "1", None, "118", "4.3", "18.8", "2"),
        ("Beef jerky", "piece (20 g)", "1", None, "82", "5.1", "2.2", "6.6"),
        ("Milk chocolate", "bar (44 g)", "1", "0.5", "235", "13.1", "26.1", "3.4"),
        ("Dark chocolate 70%", "square (10 g)", "2", "1", "60", "4.3", "4.6", "0.8"),
        ("Chocolate chip cookie", "piece (16 g)", "2", "1", "78", "3.8", "10.2", "0.9"),
        ("Glazed doughnut", "piece (60 g)", "1", None, "242", "13.7", "27", "3.8"),
        ("Brownie", "piece (56 g)", "1", None, "227", "8.8", "35.8", "2.7"),
        ("Apple pie", "piece (125 g)", "1", None, "296", "13.8", "40.5", "2.4"),
        ("Cheesecake", "piece (80 g)", "1", None, "257", "18", "20.4", "4.4"),
        ("Ice cream, vanilla", "1/2 cup (66 g)", "1", "0.5", "137", "7.3", "15.6", "2.3"),
        ("Gummy candies", "handful (40 g)", "1", "0.5", "132", "0.1", "31", "2.4"),
    ]),
    ("Sauces & Spreads", [
        ("Mayonnaise", "tbsp (14 g)", "1", "0.5", "94", "10.3", "0.1", "0.1"),
        ("Ketchup", "tbsp (17 g)", "1", "1", "17", "0", "4.5", "0.2"),
        ("Mustard", "tsp (5 g)", "1", "1", "3", "0.2", "0.3", "0.2"),
        ("Olive oil", "tbsp (13.5 g)", "1", "0.5", "119", "13.5", "0", "0"),
        ("Vinaigrette dressing", "tbsp (16 g)", "1", "1", "72", "8", "0.4", "0"),
        ("Ranch dressing", "tbsp (15 g)", "2", "1", "64", "6.7", "0.9", "0.2"),
        ("Tomato pasta sauce", "1/2 cup (125 g)", "1", "0.5", "66", "2", "10.4", "1.8"),
        ("Basil pesto", "tbsp (16 g)", "2", "1", "80", "8", "0.9", "1.4"),
        ("Salsa", "tbsp (16 g)", "2", "1", "5", "0", "1.1", "0.2"),
        ("Guacamole", "2 tbsp (30 g)", "1", "0.5", "46", "4.4", "2.6", "0.6"),
        ("Soy sauce", "tbsp (16 g)", "1", "1", "9", "0.1", "0.8", "1.3"),
        ("Honey", "tbsp (21 g)", "1", "0.5", "64", "0", "17.3", "0.1"),
        ("Strawberry jam", "tbsp (20 g)", "1", "0.5", "56", "0", "13.8", "0.1"),
        ("Sugar", "tsp (4 g)", "1", "1", "16", "0", "4", "0"),
        ("Chocolate hazelnut spread", "tbsp (19 g)", "1", "0.5", "100", "5.8", "10.8", "1.1"),
    ]),
    ("Beverages", [
        ("Coffee, black", "cup (240 ml)", None, None, "2", "0.1", "0", "0.3"),
        ("Tea, black", "cup (240 ml)", None, None, "2", "0", "0.7", "0"),
        ("Cafe latte", "grande (16 fl oz)", None, None, "190", "7", "19", "13"),
        ("Cappuccino", "cup (12 fl oz)", None, None, "110", "4", "11", "7"),
        ("Hot chocolate", "cup (250 ml)", None, None, "192", "5.8", "26.4", "8.8"),
        ("Orange juice", "cup (248 g)", "1", "0.5", "112", "0.5", "25.8", "1.7"),
        ("Apple juice", "cup (248 g)", "1", "0.5", "114", "0.3", "28", "0.2"),
        ("Cola", "can (12 fl oz)", None, None, "136", "0", "35.2", "0.3"),
        ("Sports drink", "bottle (20 fl oz)", "1", "0.5", "140", "0", "34", "0"),
        ("Fruit smoothie", "cup (240 ml)", "1", "0.5", "133", "0.5", "30", "2.2"),
        ("Vanilla milkshake", "small (12 fl oz)", None, None, "373", "10.1", "59.3", "12.9"),
        ("Soy milk, unsweetened", "cup (243 g)", "1", "0.5", "80", "3.9", "4.2", "7"),
        ("Whey protein shake", "scoop (30 g)", "1", "1", "120", "1.5", "3", "24"),
    ]),
    ("Alcoholic Drinks", [
        ("Beer, regular", "can (12 fl oz)", None, None, "153", "0", "12.6", "1.6"),
        ("Beer, light", "can (12 fl oz)", None, None, "103", "0", "5.8", "0.9"),
        ("Red wine", "glass (5 fl oz)", None, None, "125", "0", "3.8", "0.1"),
        ("White wine", "glass (5 fl oz)", None, None, "121", "0", "3.8", "0.1"),
        ("Hard cider", "bottle (12 fl oz)", None, None, "190", "0", "31", "0"),
        ("Gin and tonic", "glass (225 ml)", None, None, "171", "0", "15.8", "0"),
    ]),
]


def by_calories(kcal, fat, carbohydrate, protein):
    """The meal editor's split of the calories into fat, carbohydrate and protein shares: weights
    9 : 4 : 4 (written 4.5 : 2 : 2), fat and protein rounded to Currency, carbohydrate taking the
    remainder so that the three parts add up to the calories exactly."""
    fat_weight = float(fat) * 4.5
    weight_sum = currency(fat_weight) + protein * 2 + carbohydrate * 2
    if weight_sum == 0:
        raise ValueError("a meal without fat, carbohydrate and protein has no split")
    fat_bc = currency(float(kcal) * (fat_weight / float(weight_sum)))
    protein_bc = currency(float(kcal) * (float(protein * 2) / float(weight_sum)))
    return fat_bc, kcal - fat_bc - protein_bc, protein_bc


assert by_calories(Decimal(100), Decimal(10), Decimal(0), Decimal(10)) == (
    Decimal("69.2308"), Decimal("0.0000"), Decimal("30.7692"))


class Meal:
    def __init__(self, meal_id, category_id, row):
        self.id = meal_id
        self.category_id = category_id
        name, unit, dq, inc, kcal, fat, carb, prot = row
        self.name, self.unit = name, unit
        self.default_qty = None if dq is None else Decimal(dq)
        self.increment = None if inc is None else Decimal(inc)
        self.kcal, self.fat, self.carb, self.prot = (currency(Decimal(v)) for v in (kcal, fat, carb, prot))
        self.fat_bc, self.carb_bc, self.prot_bc = by_calories(self.kcal, self.fat, self.carb, self.prot)


# Activities burn  kcal/min = MET x 3.5 x kg / 200  (the ACSM oxygen-uptake formula), evaluated at
# the reference weight of 68.04 kg (150 lb): MET x 1.1907 kcal per minute, MET x 71.442 per hour.
# A unit is ("min", minutes) or ("km", km/h the MET figure was measured at).
# MET figures: 2011 Compendium of Physical Activities.
WEIGHT_DEPENDENT = [
    # name, unit text, unit kind, default quantity, MET
    ("Walking, 2 mph, slow", "10 min", ("min", 10), "3", "2.8"),
    ("Walking, 2.5 mph", "10 min", ("min", 10), "3", "3"),
    ("Walking, 3 mph, moderate", "10 min", ("min", 10), "3", "3.5"),
    ("Walking, 3.5 mph, brisk", "10 min", ("min", 10), "3", "4.3"),
    ("Walking, 4 mph, very brisk", "10 min", ("min", 10), "3", "5"),
    ("Walking, 4.5 mph, very fast", "10 min", ("min", 10), "3", "7"),
    ("Walking uphill, 3 mph", "10 min", ("min", 10), "3", "5.3"),
    ("Walking the dog", "10 min", ("min", 10), "3", "3"),
    ("Walking, 5 km/h", "km", ("km", 5), "3", "3.5"),
    ("Walking, 1000 steps", "1000 steps", ("min", 10), "5", "3.5"),  # ten minutes at 3 mph
    ("Hiking, cross-country", "hour", ("min", 60), "2", "6"),
    ("Jogging, general", "10 min", ("min", 10), "3", "7"),
    ("Running, 5 mph (12 min/mile)", "10 min", ("min", 10), "3", "8.3"),
    ("Running, 6 mph (10 min/mile)", "10 min", ("min", 10), "3", "9.8"),
    ("Running, 7 mph (8.5 min/mile)", "10 min", ("min", 10), "3", "11"),
    ("Running, 8 mph (7.5 min/mile)", "10 min", ("min", 10), "3", "11.8"),
    ("Running, 10 km/h", "km", ("km", 10), "5", "10"),
    ("Cycling, leisure, < 10 mph", "10 min", ("min", 10), "3", "4"),
    ("Cycling, 10-12 mph, light", "10 min", ("min", 10), "3", "6.8"),
    ("Cycling, 12-14 mph, moderate", "10 min", ("min", 10), "3", "8"),
    ("Cycling, 14-16 mph, vigorous", "10 min", ("min", 10), "3", "10"),
    ("Cycling, 18 km/h", "km", ("km", 18), "10", "6.8"),
    ("Stationary bike, moderate", "10 min", ("min", 10), "3", "7"),
    ("Swimming, leisurely", "10 min", ("min", 10), "3", "6"),
    ("Swimming laps, freestyle, slow", "10 min", ("min", 10), "3", "5.8"),
    ("Swimming laps, freestyle, fast", "10 min", ("min", 10), "3", "9.8"),
    ("Swimming, breaststroke", "10 min", ("min", 10), "3", "5.3"),
    ("Swimming, backstroke", "10 min", ("min", 10), "3", "4.8"),
    ("Water aerobics", "10 min", ("min", 10), "4", "5.5"),
    ("House cleaning, general", "10 min", ("min", 10), "3", "3.3"),
    ("Vacuuming", "10 min", ("min", 10), "2", "3.3"),
    ("Mopping floors", "10 min", ("min", 10), "2", "3.5"),
    ("Washing dishes", "10 min", ("min", 10), "2", "1.8"),
    ("Ironing", "10 min", ("min", 10), "3", "1.8"),
    ("Cooking", "10 min", ("min", 10), "3", "2"),
    ("Carrying groceries upstairs", "10 min", ("min", 10), "1", "7.5"),
    ("Moving furniture", "10 min", ("min", 10), "3", "5.8"),
    ("Gardening, general", "hour", ("min", 60), "1", "3.8"),
    ("Mowing lawn, power mower", "hour", ("min", 60), "1", "5.5"),
    ("Raking leaves", "hour", ("min", 60), "1", "3.8"),
    ("Digging, spading", "10 min", ("min", 10), "3", "5"),
    ("Weeding", "10 min", ("min", 10), "3", "3.5"),
    ("Shoveling snow by hand", "10 min", ("min", 10), "3", "5.3"),
    ("Weight lifting, moderate", "10 min", ("min", 10), "4", "3.5"),
    ("Weight lifting, vigorous", "10 min", ("min", 10), "4", "6"),
    ("Circuit training", "10 min", ("min", 10), "3", "8"),
    ("Elliptical trainer, moderate", "10 min", ("min", 10), "3", "5"),
    ("Rowing machine, moderate", "10 min", ("min", 10), "2", "7"),
    ("Aerobics, low impact", "10 min", ("min", 10), "4", "5"),
    ("Aerobics, high impact", "10 min", ("min", 10), "4", "7.3"),
    ("Calisthenics, moderate", "10 min", ("min", 10), "2", "3.8"),
    ("Stretching", "10 min", ("min", 10), "1", "2.3"),
    ("Jumping rope, moderate", "10 min", ("min", 10), "1", "11.8"),
    ("Pilates", "10 min", ("min", 10), "5", "3"),
    ("Stair climbing, slow", "10 min", ("min", 10), "1", "4"),
    ("Stair climbing, fast", "10 min", ("min", 10), "1", "8.8"),
    ("Stair-step machine", "10 min", ("min", 10), "2", "9"),
    ("Tennis, singles", "hour", ("min", 60), "1", "8"),
    ("Tennis, doubles", "hour", ("min", 60), "1", "6"),
    ("Basketball, game", "hour", ("min", 60), "1", "8"),
    ("Soccer, casual", "hour", ("min", 60), "1", "7"),
    ("Volleyball, casual", "hour", ("min", 60), "1", "3"),
    ("Badminton, social", "hour", ("min", 60), "1", "5.5"),
    ("Table tennis", "hour", ("min", 60), "1", "4"),
    ("Squash", "hour", ("min", 60), "1", "7.3"),
    ("Golf, walking with clubs", "hour", ("min", 60), "3", "4.8"),
    ("Bowling", "hour", ("min", 60), "1", "3"),
    ("Skiing, cross-country", "hour", ("min", 60), "1", "9"),
    ("Skiing, downhill, moderate", "hour", ("min", 60), "2", "5.3"),
    ("Ice skating", "hour", ("min", 60), "1", "7"),
    ("Kayaking, moderate", "hour", ("min", 60), "1", "5"),
    ("Yoga, hatha", "10 min", ("min", 10), "6", "2.5"),
    ("Yoga, power", "10 min", ("min", 10), "6", "4"),
    ("Tai chi", "10 min", ("min", 10), "3", "3"),
    ("Dancing, ballroom, slow", "10 min", ("min", 10), "3", "3"),
    ("Dancing, ballroom, fast", "10 min", ("min", 10), "3", "5.5"),
    ("Dancing, aerobic", "10 min", ("min", 10), "4", "7.3"),
]

# Activities whose burn is read off a display: the user types what the machine showed, one
# kcal per unit whatever the body weight.
WEIGHT_INDEPENDENT = [
    ("Treadmill (display kcal)", "kcal shown", "250", "1"),
    ("Exercise bike (display kcal)", "kcal shown", "200", "1"),
    ("Rowing machine (display kcal)", "kcal shown", "150", "1"),
    ("Fitness tracker (active kcal)", "kcal", "300", "1"),
]

KCAL_PER_MET_MINUTE = Decimal("3.5") * REFERENCE_KG / 200  # 1.1907


class Exercise:
    def __init__(self, exercise_id, name, unit, default_qty, base, weight_dependent, unit_kind):
        self.id, self.name, self.unit = exercise_id, name, unit
        self.default_qty = Decimal(default_qty)
        self.base = base
        self.kcal = currency(base)  # the shipped settings weigh 150 lb: the weight factor is 1
        self.weight_dependent = weight_dependent
        self.unit_kind = unit_kind


def burn_per_unit(met, unit_kind):
    kind, amount = unit_kind
    per_minute = Decimal(met) * KCAL_PER_MET_MINUTE
    if kind == "min":
        return currency(per_minute * amount)
    return currency(per_minute * 60 / amount)  # per km at the speed the MET was measured at


def build_catalogue():
    categories, meals, exercises = [], [], []
    for category_id, (category, rows) in enumerate(MEALS, start=1):
        categories.append((category_id, category))
        for row in rows:
            meals.append(Meal(len(meals) + 1, category_id, row))
    for name, unit, unit_kind, dq, met in WEIGHT_DEPENDENT:
        exercises.append(Exercise(len(exercises) + 1, name, unit, dq, burn_per_unit(met, unit_kind), 1, unit_kind))
    for name, unit, dq, kcal in WEIGHT_INDEPENDENT:
        exercises.append(Exercise(len(exercises) + 1, name, unit, dq, currency(Decimal(kcal)), 0, ("kcal", 1)))
    check_catalogue(categories, meals, exercises)
    return categories, meals, exercises


def check_catalogue(categories, meals, exercises):
    def unique_folded(names):
        folded = [n.casefold() for n in names]
        return len(set(folded)) == len(folded)

    assert len(categories) >= 10 and len(meals) >= 120 and len(exercises) >= 40
    assert all(len(name) <= 20 for _, name in categories) and unique_folded(n for _, n in categories)
    assert unique_folded(m.name for m in meals) and unique_folded(e.name for e in exercises)
    for m in meals:
        assert len(m.name) <= 30 and len(m.unit) <= 50, m.name
        assert m.kcal > 0 and m.fat + m.carb + m.prot > 0, m.name
        assert m.fat_bc + m.carb_bc + m.prot_bc == m.kcal and min(m.fat_bc, m.carb_bc, m.prot_bc) >= 0, m.name
        # A typing slip shows as calories far from the 9/4/4 energy of the nutrients. The tables'
        # own factors differ from 9/4/4 for fibre-rich foods, and drinks with alcohol carry energy
        # that no nutrient column holds.
        atwater = m.fat * 9 + (m.carb + m.prot) * 4
        if categories[m.category_id - 1][1] != "Alcoholic Drinks":
            assert abs(atwater - m.kcal) <= max(Decimal(12), m.kcal * Decimal("0.2")), (m.name, atwater)
    for e in exercises:
        assert len(e.name) <= 30 and len(e.unit) <= 50 and e.kcal > 0, e.name
        assert e.kcal == e.base


def catalogue_sql(categories, meals, exercises):
    out = [
        "-- The shipped catalogue: meal categories, meals and activities.",
        "-- Generated by tools/gen_sample_diary.py; change the tables there and run it again.",
        "--",
        "-- Meals: calories and fat, carbohydrate and protein in grams per unit, after the USDA nutrient",
        "-- tables. FatBC, CarbohydrateBC and ProteinBC split the calories in the ratio 9 : 4 : 4 of the",
        "-- nutrient weights, rounded as the meal editor rounds them, and add up to Calories exactly.",
        "--",
        "-- Activities: weight-dependent burn rates from the MET values of the 2011 Compendium of Physical",
        "-- Activities with  kcal/min = MET x 3.5 x kg / 200  at the reference weight of 150 lb (68.04 kg),",
        "-- that is MET x 1.1907 kcal per minute: MET x 11.907 per \"10 min\", MET x 71.442 per \"hour\",",
        "-- per \"km\" the hourly figure divided by the speed the MET value belongs to, and \"1000 steps\"",
        "-- as ten minutes at 3 mph. The shipped settings weigh 150 lb, so CaloriesConsume equals",
        "-- CaloriesConsumeBase.",
        "",
        "INSERT INTO MealCategory (MealCategoryID, Name) VALUES",
    ]
    out.append(",\n".join("    (%d, %s)" % (cid, sql_text(name)) for cid, name in categories) + ";")
    for category_id, name in categories:
        out.append("")
        out.append("-- %s" % name)
        for m in (m for m in meals if m.category_id == category_id):
            values = [str(m.id), str(m.category_id), sql_text(m.name), sql_text(m.unit),
                      "NULL" if m.default_qty is None else sql_number(m.default_qty),
                      "NULL" if m.increment is None else sql_number(m.increment)]
            values += [sql_number(v) for v in (m.kcal, m.fat, m.carb, m.prot, m.fat_bc, m.carb_bc, m.prot_bc)]
            out.append("INSERT INTO Meal (MealID, MealCategoryID, Name, Unit, DefaultQty, Increment, Calories, "
                       "Fat, Carbohydrate, Protein, FatBC, CarbohydrateBC, ProteinBC) VALUES (%s);"
                       % ", ".join(values))
    out.append("")
    out.append("-- Activities that scale with body weight")
    for e in exercises:
        if e is next(x for x in exercises if not x.weight_dependent):
            out.append("")
            out.append("-- Activities measured by a machine or a tracker: the same for every body weight")
        out.append("INSERT INTO Exercise (ExerciseID, Name, Unit, DefaultQty, CaloriesConsume, CaloriesConsumeBase, "
                   "WeightDependent) VALUES (%d, %s, %s, %s, %s, %s, %d);"
                   % (e.id, sql_text(e.name), sql_text(e.unit), sql_number(e.default_qty), sql_number(e.kcal),
                      sql_number(e.base), e.weight_dependent))
    return "\n".join(out) + "\n"


# --------------------------------------------------------------------------------------------------
# Sample diary
# --------------------------------------------------------------------------------------------------

# Meal occasions: each a list of (meal name, quantities to choose from).
BREAKFASTS = [
    [("Oatmeal, cooked with water", (1.5, 2)), ("Banana", (1,))],
    [("Whole wheat bread", (2, 3)), ("Peanut butter", (1.5, 2))],
    [("Egg, boiled", (2, 3)), ("Whole wheat bread", (2,))],
    [("Greek yogurt, plain nonfat", (2,)), ("Granola", (1, 1.5))],
    [("Bagel, plain", (1,)), ("Cream cheese", (2,))],
    [("Corn flakes", (2,)), ("Milk, 2% fat", (1,))],
    [("Muesli", (1,)), ("Milk, skim", (1,))],
    [("Cafe latte", (1,)), ("Blueberry muffin", (1,))],
    [("Croissant", (1,)), ("Cappuccino", (1,))],
]
WEEKEND_BREAKFASTS = [
    [("Pancake", (4, 5)), ("Honey", (1, 1.5))],
    [("Scrambled eggs", (1.5, 2)), ("Rye bread", (2,))],
    [("Waffle", (2,)), ("Strawberries", (1,))],
    [("Croissant", (1, 2)), ("Cafe latte", (1,))],
    [("Egg, fried", (2,)), ("Bacon, cooked", (3, 4))],
]
LUNCHES = [
    [("Turkey sub sandwich", (1, 2)), ("Apple", (1,))],
    [("Caesar salad with chicken", (3.5, 4)), ("Dinner roll", (1,))],
    [("Lentil soup", (2,)), ("Rye bread", (2,))],
    [("Tuna salad", (0.75,)), ("Whole wheat bread", (2,))],
    [("Chicken breast, roasted", (1.5,)), ("Brown rice, cooked", (1.5,))],
    [("Greek salad", (3,)), ("Pita bread", (1,))],
    [("Chicken noodle soup", (2,)), ("Bagel, plain", (1,))],
    [("Hummus", (4, 6)), ("Pita bread", (1.5,))],
    [("Minestrone", (2,)), ("Multigrain bread", (3,))],
    [("Macaroni and cheese", (1, 1.5))],
]
EATING_OUT_LUNCHES = [
    [("Cheeseburger", (1,)), ("French fries", (1,))],
    [("Pizza, cheese", (2, 3))],
    [("Bean burrito", (1,)), ("Cola", (1,))],
    [("Fried chicken breast", (1,)), ("Coleslaw", (0.5,))],
    [("Beef taco", (2, 3))],
    [("California roll", (8,)), ("Miso soup", (1,))],
]
PARTY_LUNCHES = [
    [("Pizza, cheese", (2, 3))],
    [("Beef taco", (3,))],
    [("Macaroni and cheese", (1.5,))],
]
DINNERS = [
    [("Salmon, baked", (1.5, 2)), ("Potato, baked", (1,))],
    [("Spaghetti Bolognese", (4, 4.5, 5))],
    [("Pork tenderloin, roasted", (2,)), ("Mashed potatoes", (1,))],
    [("Chicken curry", (1.5,)), ("White rice, cooked", (1,))],
    [("Chili con carne", (2,)), ("Tortilla chips", (1,))],
    [("Beef stew", (2,)), ("Rye bread", (1,))],
    [("Chicken stir-fry", (4,)), ("White rice, cooked", (1,))],
    [("Cod, baked", (2,)), ("Quinoa, cooked", (1.5,))],
    [("Lasagna with meat", (3, 3.5))],
    [("Turkey breast, roasted", (2,)), ("Sweet potato, baked", (1, 2))],
    [("Shepherd's pie", (4, 4.5))],
    [("Tofu, firm", (2,)), ("Buckwheat groats, cooked", (1.5,))],
]
EATING_OUT_DINNERS = [
    [("Ribeye steak, grilled", (2, 2.5)), ("French fries", (1,))],
    [("Pizza, pepperoni", (2, 3)), ("Beer, regular", (1, 2))],
    [("Shrimp, cooked", (1.5, 2)), ("Spaghetti, cooked", (1.5,)), ("White wine", (1,))],
    [("Mussels, steamed", (2, 3)), ("French fries", (1,))],
    [("Rainbow trout, baked", (1.5,)), ("Potato, baked", (1,)), ("White wine", (1,))],
]
PARTY_DINNERS = [
    [("Lasagna with meat", (3, 3.5)), ("Cheesecake", (1,)), ("Red wine", (2, 3))],
    [("Lamb chop, broiled", (2,)), ("Mashed potatoes", (1,)), ("Red wine", (2, 3))],
]
SNACKS = {
    "morning": [("Apple", (1,)), ("Banana", (1,)), ("Orange", (1,)), ("Almonds", (0.5, 1)),
                ("Granola bar", (1,)), ("Plain yogurt, low-fat", (1,)), ("Pear", (1,)), ("Kiwi", (2,))],
    "afternoon": [("Rice cake", (2,)), ("Dark chocolate 70%", (2, 3)), ("Popcorn, air-popped", (3,)),
                  ("Chocolate chip cookie", (2,)), ("Walnuts", (0.5, 1)), ("Grapes", (1,)),
                  ("Cappuccino", (1,))],
    "evening": [("Ice cream, vanilla", (1,)), ("Beer, light", (1,)), ("Potato chips", (1,)),
                ("Pretzels", (1,)), ("Red wine", (1,)), ("Cheddar cheese", (1,))],
}

# Notes: first day, last day (offsets from the diary's first day), text. Day kinds follow them.
NOTES = [
    (0, 2, "Started the diary and the new walking routine: half an hour every morning before breakfast."),
    (11, 12, "Weekend at my sister's birthday party: cake, wine and a big dinner both days."),
    (19, 25, "Holiday at the seaside: more eating out, but long walks on the beach every day."),
    (31, 36, "Sore knee: no running this week, stationary bike and swimming instead."),
    (43, 48, "Back to the usual routine. Waist is down almost an inch since I started."),
]

BALANCE_TARGETS = {  # kcal range of a day's balance, by kind of day
    "weekday": (-800, -300),
    "weekend": (-450, 100),
    "party": (150, 580),
    "holiday": (-300, 400),
}


def minutes_between(rng, first, last, step=5):
    return first + step * rng.randrange((last - first) // step + 1)


class DayPlan:
    def __init__(self, offset, day, kind, knee_rest):
        self.offset, self.day, self.kind, self.knee_rest = offset, day, kind, knee_rest
        self.meals = []  # (minutes, meal, qty)
        self.activities = []  # (begin minutes, end minutes, exercise, qty)


def day_kind(offset, weekday):
    for first, last, text in NOTES:
        if first <= offset <= last:
            if "birthday" in text:
                return "party"
            if "Holiday" in text:
                return "holiday"
    return "weekend" if weekday >= 5 else "weekday"


def knee_rest(offset):
    first, last, _ = NOTES[3]
    return first <= offset <= last


class DiaryBuilder:
    def __init__(self, meals, exercises, rng):
        self.meal = {m.name: m for m in meals}
        self.exercise = {e.name: e for e in exercises}
        self.rng = rng

    def occasion(self, template, start, plan):
        t = start
        for name, quantities in template:
            plan.meals.append((t, self.meal[name], Decimal(str(self.rng.choice(quantities)))))
            t += self.rng.choice((0, 5, 5, 10))  # a plate and a drink, minutes apart

    def activity(self, plan, name, begin, minutes=None, km=None, shown=None):
        e = self.exercise[name]
        kind, amount = e.unit_kind
        if kind == "km":
            qty = Decimal(str(km))
            minutes = round_even(qty * 60 / amount)
        elif kind == "kcal":
            qty = Decimal(shown)
        else:
            qty = Decimal(minutes) / amount
            assert qty == qty.quantize(TEN_THOUSANDTH)
        assert 15 <= minutes <= 90
        plan.activities.append((begin, begin + minutes, e, qty))
        return begin + minutes

    def plan_activities(self, plan):
        """Adds the day's activities; returns the earliest minutes of breakfast, lunch and dinner
        that keep meals out of the activities."""
        rng, kind = self.rng, plan.kind
        breakfast, lunch, dinner = 0, 0, 0
        if kind == "holiday":
            end = self.activity(plan, "Walking, 3 mph, moderate", minutes_between(rng, 9 * 60 + 30, 10 * 60 + 30),
                                minutes=rng.choice((60, 75, 90)))
            lunch = end + 20
            if rng.random() < 0.6:
                self.activity(plan, "Swimming, leisurely", minutes_between(rng, 16 * 60, 17 * 60),
                              minutes=rng.choice((20, 30, 40)))
            return breakfast, lunch, dinner
        if kind == "party":
            if rng.random() < 0.5:
                self.activity(plan, "Dancing, ballroom, fast", minutes_between(rng, 21 * 60, 21 * 60 + 30),
                              minutes=rng.choice((30, 45, 60)))
            return breakfast, lunch, dinner
        if kind == "weekend":
            choice = rng.choice((1, 2)) if plan.knee_rest else rng.randrange(5)
            begin = minutes_between(rng, 10 * 60, 11 * 60)
            if choice == 0:
                end = self.activity(plan, "Gardening, general", begin, minutes=rng.choice((60, 75, 90)))
            elif choice == 1:
                name = "Cycling, 18 km/h"
                end = self.activity(plan, name, begin, km=rng.choice((12, 15, 18, 21, 24)))
            elif choice == 2:
                end = self.activity(plan, "Swimming laps, freestyle, slow", begin, minutes=rng.choice((30, 40, 45)))
            elif choice == 3:
                end = self.activity(plan, "Tennis, doubles", begin, minutes=rng.choice((60, 75, 90)))
            else:
                end = self.activity(plan, "House cleaning, general", begin, minutes=rng.choice((45, 60)))
            lunch = end + 20
            if rng.random() < 0.4:
                self.activity(plan, "Walking the dog", minutes_between(rng, 16 * 60, 17 * 60),
                              minutes=rng.choice((30, 40)))
            return breakfast, lunch, dinner
        # A working day: the morning walk of the new routine, most evenings some exercise.
        if rng.random() < 0.85 or plan.offset < 3:
            begin = minutes_between(rng, 6 * 60, 6 * 60 + 30)
            walk = "Walking, 3.5 mph, brisk" if rng.random() < 0.6 else "Walking, 5 km/h"
            if walk == "Walking, 5 km/h":
                end = self.activity(plan, walk, begin, km=rng.choice((2.5, 3)))
            else:
                end = self.activity(plan, walk, begin, minutes=rng.choice((30, 35, 40)))
            breakfast = end + 10
        if rng.random() < 0.55:
            begin = minutes_between(rng, 17 * 60 + 15, 17 * 60 + 45)
            if plan.knee_rest:
                options = ["bike", "swim"]
            else:
                options = ["run", "gym", "yoga", "bike", "treadmill"]
            option = rng.choice(options)
            if option == "run":
                end = self.activity(plan, "Running, 10 km/h", begin, km=rng.choice((4, 5, 6)))
            elif option == "gym":
                end = self.activity(plan, "Weight lifting, moderate", begin, minutes=rng.choice((30, 40)))
                end = self.activity(plan, "Elliptical trainer, moderate", end + 5, minutes=rng.choice((15, 20)))
            elif option == "yoga":
                end = self.activity(plan, "Yoga, hatha", begin, minutes=rng.choice((45, 60)))
            elif option == "bike":
                end = self.activity(plan, "Stationary bike, moderate", begin, minutes=rng.choice((30, 40, 45)))
            elif option == "swim":
                end = self.activity(plan, "Swimming laps, freestyle, slow", begin, minutes=rng.choice((30, 40)))
            else:
                end = self.activity(plan, "Treadmill (display kcal)", begin, minutes=rng.choice((30, 40)),
                                    shown=rng.choice(("240", "275", "310", "330")))
            dinner = end + 20
        return breakfast, lunch, dinner

    def plan_meals(self, plan, not_before):
        rng, kind = self.rng, plan.kind
        breakfast_from, lunch_from, dinner_from = not_before
        weekend_like = kind in ("weekend", "holiday", "party")
        breakfast_time = minutes_between(rng, 8 * 60 + 15, 9 * 60 + 15) if weekend_like \
            else minutes_between(rng, 6 * 60 + 50, 7 * 60 + 45)
        self.occasion(rng.choice(WEEKEND_BREAKFASTS if weekend_like else BREAKFASTS),
                      max(breakfast_time, breakfast_from), plan)
        if kind == "weekday" and rng.random() < 0.4:
            self.occasion([rng.choice(SNACKS["morning"])], minutes_between(rng, 10 * 60, 11 * 60), plan)
        eating_out = kind == "holiday" or (kind == "weekend" and rng.random() < 0.3)
        lunch_time = max(minutes_between(rng, 12 * 60, 13 * 60 + 30), lunch_from)
        if kind == "party":
            lunches = PARTY_LUNCHES
        elif eating_out:
            lunches = EATING_OUT_LUNCHES
        else:
            lunches = LUNCHES
        self.occasion(rng.choice(lunches), lunch_time, plan)
        if rng.random() < 0.45:
            self.occasion([rng.choice(SNACKS["afternoon"])], minutes_between(rng, 15 * 60, 16 * 60 + 30), plan)
        if kind == "party":
            dinners = PARTY_DINNERS
        elif kind == "holiday" or (kind == "weekend" and rng.random() < 0.5):
            dinners = EATING_OUT_DINNERS
        else:
            dinners = DINNERS
        self.occasion(rng.choice(dinners), max(minutes_between(rng, 18 * 60 + 15, 19 * 60 + 45), dinner_from), plan)
        if rng.random() < 0.3:
            self.occasion([rng.choice(SNACKS["evening"])], minutes_between(rng, 20 * 60 + 45, 21 * 60 + 45), plan)

    def plan_day(self, offset, day):
        kind = day_kind(offset, date.fromordinal(ZERO_DAY.toordinal() + day).weekday())
        low, high = BALANCE_TARGETS[kind]
        for _ in range(10000):
            plan = DayPlan(offset, day, kind, knee_rest(offset))
            not_before = self.plan_activities(plan)
            self.plan_meals(plan, not_before)
            if not 3 <= len(plan.meals) <= 6:
                continue
            if any(m[0] >= 1440 for m in plan.meals) or any(a[1] >= 1440 for a in plan.activities):
                continue
            if not unambiguous(plan):
                continue
            if low <= day_balance(plan) <= high:
                plan.meals.sort(key=lambda m: m[0])
                plan.activities.sort(key=lambda a: a[0])
                return plan
        raise RuntimeError("no plan for day %d within %d..%d" % (day, low, high))


def meal_parts(meal, qty):
    """Fat, carbohydrate and protein kcal of one consumed meal before rounding to whole kcal."""
    return [currency(bc * qty) for bc in (meal.fat_bc, meal.carb_bc, meal.prot_bc)]


def unambiguous(plan):
    """True when no whole-kcal rounding of the day lands on a half, where rounding rules differ."""
    values = [v for _, meal, qty in plan.meals for v in meal_parts(meal, qty)]
    values += [currency(e.kcal * qty) for _, _, e, qty in plan.activities]
    return all(abs((v % 1) - Decimal("0.5")) > Decimal("0.001") for v in values)


def day_balance(plan):
    eaten = sum(round_even(v) for _, meal, qty in plan.meals for v in meal_parts(meal, qty))
    burnt = sum(round_even(currency(e.kcal * qty)) for _, _, e, qty in plan.activities)
    return eaten - burnt - METABOLIC_RATE * 24


def plan_body(rng, days, balances):
    """Body measurements every one to three days, ending on the install date or the day before,
    all within BODY_SPAN_MAX days; the weight follows the energy balance (3500 kcal a pound)."""
    last = days[-1] - rng.choice((0, 1))
    dates = [last]
    while True:
        gap = rng.choice((1, 2, 2, 3))
        if last - (dates[-1] - gap) > BODY_SPAN_MAX:
            break
        dates.append(dates[-1] - gap)
    dates.reverse()
    start_weight = Decimal("184.2")
    rows = []
    cumulative = 0
    balance_by_day = dict(zip(days, balances))
    previous = dates[0]
    for d in dates:
        cumulative += sum(balance_by_day[x] for x in range(previous, d))
        previous = d
        trend = start_weight + Decimal(cumulative) / 3500
        lost = start_weight - trend
        weight = trend + Decimal(rng.randint(-5, 5)) / 10  # water and a full stomach
        breast = Decimal("43.6") - lost * Decimal("0.08") + Decimal(rng.randint(-1, 1)) / 10
        waist = Decimal("40.4") - lost * Decimal("0.17") + Decimal(rng.randint(-1, 1)) / 10
        hips = Decimal("42.1") - lost * Decimal("0.1") + Decimal(rng.randint(-1, 1)) / 10
        rows.append((d, *(v.quantize(Decimal("0.1"), rounding=ROUND_HALF_EVEN) for v in (weight, breast, waist, hips))))
    return rows


def check_diary(days, plans, balances, body, notes):
    install = serial(INSTALL_DATE)
    assert days[-1] == install and len(days) == DIARY_DAYS
    assert all(BALANCE_MIN <= b <= BALANCE_MAX for b in balances)
    for plan in plans:
        assert 3 <= len(plan.meals) <= 6
        assert all(0 <= t < 1440 for t, _, _ in plan.meals)
        for begin, end, _, _ in plan.activities:
            assert 0 <= begin < end < 1440 and 15 <= end - begin <= 90
    close_meals = sum(1 for p in plans for (a, _, _), (b, _, _) in zip(p.meals, p.meals[1:]) if b - a <= 15)
    assert close_meals > 0
    assert sum(1 for p in plans if p.activities) > len(plans) // 2
    body_dates = [row[0] for row in body]
    assert body_dates == sorted(set(body_dates))
    assert body_dates[-1] - body_dates[0] <= BODY_SPAN_MAX and install - 2 <= body_dates[-1] <= install
    assert all(1 <= b - a <= 3 for a, b in zip(body_dates, body_dates[1:]))
    assert 4 <= len(notes) <= 6
    for (a_from, a_to, text), (b_from, _, _) in zip(notes, notes[1:]):
        assert a_to < b_from
    for d_from, d_to, text in notes:
        assert days[0] <= d_from <= d_to <= days[-1] and len(text) < 255
    # The progress chart's default period, one month ending on the install date: calorie data on
    # every day, and no body measurement further than BODY_CLOSENESS days from all the others.
    period = range(install - PROGRESS_DAYS + 1, install + 1)
    calorie_days = {p.day for p in plans if p.meals or p.activities}
    assert all(d in calorie_days for d in period)
    in_period = [d for d in body_dates if d in period]
    assert in_period and all(any(o != d and abs(o - d) <= BODY_CLOSENESS for o in in_period) for d in in_period)


def build_diary(meals, exercises):
    rng = random.Random(RANDOM_SEED)
    builder = DiaryBuilder(meals, exercises, rng)
    first = serial(INSTALL_DATE) - DIARY_DAYS + 1
    days = list(range(first, first + DIARY_DAYS))
    plans = [builder.plan_day(offset, day) for offset, day in enumerate(days)]
    balances = [day_balance(p) for p in plans]
    body = plan_body(rng, days, balances)
    notes = [(first + a, first + b, text) for a, b, text in NOTES]
    check_diary(days, plans, balances, body, notes)
    return days, plans, balances, body, notes


def diary_sql(plans, body, notes):
    out = [
        "-- The sample diary a new user finds: seven weeks of meals and activities ending on the",
        "-- installDate of Common, with body measurements and notes. Negative identifiers mark the rows",
        "-- as samples; the first start moves them all so that they end on that day.",
        "-- Generated by tools/gen_sample_diary.py from a fixed seed; do not edit by hand.",
        "",
        "-- Meals",
    ]
    meal_id = 0
    for plan in plans:
        out.append("-- %s" % date.fromordinal(ZERO_DAY.toordinal() + plan.day).isoformat())
        for minutes, meal, qty in plan.meals:
            meal_id -= 1
            out.append("INSERT INTO MealConsume (MealConsumeID, MealID, ConsumeDate, ConsumeTime, Qty) "
                       "VALUES (%d, %d, %d, %s, %s);"
                       % (meal_id, meal.id, plan.day, sql_time(minutes), sql_number(qty)))
    out.append("")
    out.append("-- Activities")
    perform_id = 0
    for plan in plans:
        for begin, end, exercise, qty in plan.activities:
            perform_id -= 1
            out.append("INSERT INTO ExercisePerform (ExercisePerformID, ExerciseID, PerformDate, timeBeg, timeEnd, "
                       "Qty) VALUES (%d, %d, %d, %s, %s, %s);"
                       % (perform_id, exercise.id, plan.day, sql_time(begin), sql_time(end), sql_number(qty)))
    out.append("")
    out.append("-- Body measurements, imperial: lb and inches")
    for body_id, (d, weight, breast, waist, hips) in enumerate(body, start=1):
        out.append("INSERT INTO Body (BodyId, DateMeasured, Weight, Breast, Waist, Hips, Measurement) "
                   "VALUES (%d, %d, %s, %s, %s, %s, 'I');"
                   % (-body_id, d, sql_number(weight), sql_number(breast), sql_number(waist), sql_number(hips)))
    out.append("")
    out.append("-- Notes")
    for note_id, (d_from, d_to, text) in enumerate(notes, start=1):
        out.append("INSERT INTO UserNote (UserNoteId, DateFrom, DateTo, NoteText) VALUES (%d, %d, %d, %s);"
                   % (-note_id, d_from, d_to, sql_text(text)))
    return "\n".join(out) + "\n"


def main():
    check_only = sys.argv[1:] == ["--check"]
    if sys.argv[1:] and not check_only:
        sys.exit("usage: gen_sample_diary.py [--check]")
    categories, meals, exercises = build_catalogue()
    days, plans, balances, body, notes = build_diary(meals, exercises)
    outputs = {CATALOGUE_FILE: catalogue_sql(categories, meals, exercises), DIARY_FILE: diary_sql(plans, body, notes)}

    stale = []
    for path, text in outputs.items():
        current = path.read_text(encoding="ascii") if path.exists() else None
        if current != text:
            stale.append(path.name)
            if not check_only:
                path.write_text(text, encoding="ascii", newline="\n")
    meal_rows = sum(len(p.meals) for p in plans)
    activity_rows = sum(len(p.activities) for p in plans)
    print("catalogue: %d categories, %d meals, %d activities (%d weight-dependent)"
          % (len(categories), len(meals), len(exercises), sum(e.weight_dependent for e in exercises)))
    print("diary: %d days %s..%s, %d meals, %d activities, %d body rows (%s..%s, %s -> %s lb), %d notes"
          % (len(days), date.fromordinal(ZERO_DAY.toordinal() + days[0]), INSTALL_DATE, meal_rows, activity_rows,
             len(body), date.fromordinal(ZERO_DAY.toordinal() + body[0][0]),
             date.fromordinal(ZERO_DAY.toordinal() + body[-1][0]), body[0][1], body[-1][1], len(notes)))
    print("balance: min %d, max %d, mean %.0f kcal a day"
          % (min(balances), max(balances), sum(balances) / len(balances)))
    if check_only and stale:
        sys.exit("out of date: " + ", ".join(stale))
    print(("rewrote " + ", ".join(stale)) if stale else "files up to date")


if __name__ == "__main__":
    main()
