// Written by advances.py from Liberation Sans: how far each character of the texts
// advances, and how much a pair of them is set closer (or farther), in the type's own
// units, 2048 to its size. Sorted by character.
#pragma once

#include <array>

namespace brindle::layout {

struct Advance {
    char32_t ch;
    int units;
};
inline constexpr int kUnitsPerSize = 2048;
inline constexpr std::array kAdvances = {
    Advance{32, 569},     // space
    Advance{33, 569},     // !
    Advance{34, 727},     // "
    Advance{37, 1821},    // %
    Advance{40, 682},     // (
    Advance{41, 682},     // )
    Advance{44, 569},     // ,
    Advance{45, 682},     // -
    Advance{46, 569},     // .
    Advance{48, 1139},    // 0
    Advance{49, 1139},    // 1
    Advance{50, 1139},    // 2
    Advance{54, 1139},    // 6
    Advance{58, 569},     // :
    Advance{59, 569},     // ;
    Advance{63, 1139},    // ?
    Advance{66, 1366},    // B
    Advance{81, 1593},    // Q
    Advance{87, 1933},    // W
    Advance{88, 1366},    // X
    Advance{97, 1139},    // a
    Advance{98, 1139},    // b
    Advance{99, 1024},    // c
    Advance{100, 1139},   // d
    Advance{101, 1139},   // e
    Advance{102, 569},    // f
    Advance{103, 1139},   // g
    Advance{104, 1139},   // h
    Advance{105, 455},    // i
    Advance{107, 1024},   // k
    Advance{108, 455},    // l
    Advance{109, 1706},   // m
    Advance{110, 1139},   // n
    Advance{111, 1139},   // o
    Advance{112, 1139},   // p
    Advance{114, 682},    // r
    Advance{115, 1024},   // s
    Advance{116, 569},    // t
    Advance{117, 1139},   // u
    Advance{118, 1024},   // v
    Advance{119, 1479},   // w
    Advance{120, 1024},   // x
    Advance{121, 1024},   // y
    Advance{1040, 1366},  // А
    Advance{1042, 1366},  // В
    Advance{1045, 1366},  // Е
    Advance{1047, 1237},  // З
    Advance{1048, 1472},  // И
    Advance{1050, 1193},  // К
    Advance{1052, 1706},  // М
    Advance{1053, 1479},  // Н
    Advance{1054, 1593},  // О
    Advance{1055, 1472},  // П
    Advance{1056, 1366},  // Р
    Advance{1057, 1479},  // С
    Advance{1059, 1301},  // У
    Advance{1062, 1515},  // Ц
    Advance{1069, 1472},  // Э
    Advance{1072, 1139},  // а
    Advance{1073, 1173},  // б
    Advance{1074, 1088},  // в
    Advance{1075, 747},   // г
    Advance{1076, 1195},  // д
    Advance{1077, 1139},  // е
    Advance{1078, 1370},  // ж
    Advance{1079, 939},   // з
    Advance{1080, 1144},  // и
    Advance{1081, 1144},  // й
    Advance{1082, 896},   // к
    Advance{1083, 1195},  // л
    Advance{1084, 1408},  // м
    Advance{1085, 1131},  // н
    Advance{1086, 1139},  // о
    Advance{1087, 1109},  // п
    Advance{1088, 1139},  // р
    Advance{1089, 1024},  // с
    Advance{1090, 938},   // т
    Advance{1091, 1024},  // у
    Advance{1092, 1685},  // ф
    Advance{1094, 1173},  // ц
    Advance{1095, 1067},  // ч
    Advance{1096, 1643},  // ш
    Advance{1097, 1685},  // щ
    Advance{1099, 1472},  // ы
    Advance{1100, 1067},  // ь
    Advance{1101, 1045},  // э
    Advance{1102, 1536},  // ю
    Advance{1103, 1109},  // я
    Advance{1105, 1139},  // ё
};

struct Kern {
    char32_t first, second;
    int units;
};
inline constexpr std::array kKerns = {
    Kern{87, 97, -76},       // Wa
    Kern{102, 102, -37},     // ff
    Kern{119, 46, -113},     // w.
    Kern{1045, 1089, -23},   // Ес
    Kern{1050, 1054, -23},   // КО
    Kern{1056, 1103, -68},   // Ря
    Kern{1059, 1079, -115},  // Уз
    Kern{1072, 1079, -23},   // аз
    Kern{1072, 1090, -45},   // ат
    Kern{1072, 1095, -45},   // ач
    Kern{1073, 1077, -23},   // бе
    Kern{1073, 1091, -45},   // бу
    Kern{1074, 1072, -23},   // ва
    Kern{1074, 1077, -23},   // ве
    Kern{1074, 1083, -47},   // вл
    Kern{1074, 1086, -23},   // во
    Kern{1074, 1089, -23},   // вс
    Kern{1074, 1090, -45},   // вт
    Kern{1075, 1072, -45},   // га
    Kern{1075, 1086, -45},   // го
    Kern{1077, 1076, -45},   // ед
    Kern{1077, 1083, -68},   // ел
    Kern{1077, 1090, -68},   // ет
    Kern{1079, 1076, -45},   // зд
    Kern{1079, 1086, -23},   // зо
    Kern{1079, 1091, -23},   // зу
    Kern{1082, 1072, 45},    // ка
    Kern{1082, 1083, 23},    // кл
    Kern{1082, 1086, 23},    // ко
    Kern{1083, 1086, 23},    // ло
    Kern{1086, 1076, -45},   // од
    Kern{1086, 1078, -23},   // ож
    Kern{1086, 1079, -23},   // оз
    Kern{1086, 1083, -45},   // ол
    Kern{1086, 1090, -45},   // от
    Kern{1088, 1090, -45},   // рт
    Kern{1088, 1091, -23},   // ру
    Kern{1089, 1086, 23},    // со
    Kern{1090, 1072, -23},   // та
    Kern{1090, 1077, -23},   // те
    Kern{1090, 1083, -45},   // тл
    Kern{1090, 1086, -23},   // то
    Kern{1090, 1089, -23},   // тс
    Kern{1091, 1076, -68},   // уд
    Kern{1091, 1078, 23},    // уж
    Kern{1091, 1089, -23},   // ус
    Kern{1092, 1090, -45},   // фт
    Kern{1094, 1077, -23},   // це
    Kern{1101, 1090, -45},   // эт
};

}  // namespace brindle::layout
