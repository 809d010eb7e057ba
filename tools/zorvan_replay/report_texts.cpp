#include "zorvan_replay/report_texts.h"

namespace zd::replay {

const ReportTexts kEnglishTexts = {
    .lang = "en",
    .title = "After-contest report",
    .madeBy =
        "Made by zorvan-replay {}: the log replayed through the contest module, every "
        "figure the module gives taken from it.",
    .logLine = "Log {}: {} QSOs from {} to {} UTC.",
    .summary = "Summary",
    .charts = "Charts",
    .rates = "Rate sheet",
    .multipliers = "Multipliers",
    .checks = "Rule checks",
    .qsoTable = "All QSOs",
    .score = "Score",
    .qsos = "QSOs",
    .points = "Points",
    .dxcc = "DXCC",
    .regions = "Regions",
    .dupes = "Dupes",
    .badQsos = "Bad QSOs",
    .claimedScore = "Claimed score",
    .claimed = "The module stored {} as the claimed score of the Cabrillo header.",
    .asReturned = "The summary as the module returns it",
    .noSummary =
        "The module's summary could not be read; the figures below are the report's "
        "own count of the log.",
    .mismatch =
        "The report's own count of the log differs from the module's summary in: {}. "
        "The module's figures are the ones that count.",
    .agrees =
        "The report's own count of the log, QSO by QSO, agrees with the module's summary "
        "on every band.",
    .exportPass =
        "An export pass: the module gives no rates, and the running totals are the "
        "report's own count.",
    .chartQsos = "QSOs per clock hour, by band",
    .chartScore = "Score over the contest (at the end of each hour)",
    .chartMults = "Multipliers over the contest",
    .chartBandChanges = "Band changes per clock hour",
    .chartModes = "QSOs by mode on each band",
    .limit = "the tenth change turns the band-change window red",
    .cumulativeNote =
        "Totals at the end of each hour are the module's own summary, asked for "
        "at every new hour of the replay.",
    .best60 = "Best 60 minutes",
    .best10 = "Best 10 minutes",
    .bestLine = "{} QSOs, {} points, from {}",
    .operating = "Operating time",
    .offTime = "Off time (breaks of 30 minutes or more)",
    .firstLast = "First and last QSO",
    .breaks = "Breaks of 30 minutes or more",
    .breakRow = "from {} to {}: {}",
    .noBreaks = "No break of 30 minutes or more.",
    .hour = "Hour (UTC)",
    .hourTable = "Each clock hour: QSOs and points by band",
    .bandChanges = "Band changes",
    .total = "Total",
    .sparseHours = "The log spans more than a week: only the hours with QSOs are listed.",
    .hoursMinutes = "{} h {} min",
    .perBandMode = "Multipliers per band and mode",
    .band = "Band",
    .mode = "Mode",
    .regionMap = "Regions of the whole contest",
    .regionMapNote =
        "Laid out as the region window lays them out. Worked on any band and mode: "
        "magenta (the number is how many band-mode slots); still missing: green.",
    .missing = "Still missing ({} of 88): {}",
    .noneMissing = "All 88 regions worked.",
    .regionsSmall = "Regions per band and mode",
    .worked = "worked",
    .notWorked = "not worked",
    .dxccTable = "DXCC prefixes per band and mode",
    .prefix = "Prefix",
    .continents = "QSOs and points by continent",
    .continent = "Continent",
    .unknown = "unknown",
    .none = "None.",
    .found = "{} found.",
    .modeTooSoon = "Same station in both modes on one band less than three minutes apart",
    .modeTooSoonWhy =
        "The module's own waiting message, asked for just before each QSO at its "
        "time. It fires from the same second up to 2 min 59 s after the station's "
        "last QSO in the other mode on the band (whole minutes, rounded to the "
        "second and cut); at exactly 3 minutes it does not.",
    .earlier = "Other mode",
    .apart = "Apart",
    .message = "The module's message",
    .bandChangeHours = "Clock hours with ten or more band changes",
    .bandChangeWhy =
        "A band change is a logged QSO on another band than the QSO logged before "
        "it in the same clock hour, as the band-change window counts them.",
    .bandChangeHour = "{}: {} band changes",
    .changeNo = "Change",
    .dupeList = "Dupes",
    .dupeWhy =
        "QSOs the module marked as dupes (same call, band and mode as an earlier QSO): "
        "they score nothing.",
    .original = "First QSO",
    .notCounted = "QSOs refused or not counted",
    .notCountedWhy =
        "Every QSO that does not score, with the module's reason from its bad-QSO "
        "report.",
    .reason = "Reason",
    .refusedWord = "refused",
    .reasonWrongBand = "not a contest band: refused",
    .reasonWrongMode = "not a contest mode: refused",
    .reasonNoRx = "an exchange is missing: refused",
    .reasonBadRegion = "not a region code: logged, not counted",
    .reasonDupe = "dupe: logged, not counted",
    .regionNotCalls = "Russian stations whose region differs from the one their call implies",
    .regionNotCallsWhy =
        "The region derived from the call as the module derives it (with the "
        "special-call list); special-event and portable calls imply none.",
    .sent = "Region received",
    .implied = "The call implies",
    .exchangeChanges = "The same station sending different exchanges",
    .exchangeWhy =
        "A Russian station sends one region all contest; the numbers of the others "
        "grow from QSO to QSO.",
    .exchangeRegions = "different regions",
    .exchangeNumbers = "numbers that do not grow",
    .unknownCalls = "Calls not found in MASTER.SCP",
    .unknownWhy = "Calls that the super-check-partial file {} does not hold: worth a second look.",
    .scpNotChecked = "Not checked: give a MASTER.SCP file with --scp FILE.",
    .tableNote =
        "Mult: the module's call check just before the QSO was logged. Adds: the "
        "multipliers it added to the score.",
    .line = "Line",
    .time = "Time (UTC)",
    .call = "Call",
    .rcvd = "Received",
    .pts = "Pts",
    .mult = "Mult",
    .flags = "Flags",
    .checkDupe = "dupe",
    .checkKnown = "known",
    .checkNew = "new",
    .checkRefused = "refused",
    .adds = "Adds",
    .flagNames = {"refused", "dupe", "bad region", "3 min", "band changes", "region", "exchange",
                  "not in SCP", "no country"},
    .flagLegend = {"refused by the module", "dupe", "region code not acceptable",
                   "other mode on this band less than 3 minutes before",
                   "tenth or later band change of the hour",
                   "region differs from the one the call implies",
                   "the station's exchanges disagree", "not in MASTER.SCP",
                   "not in the country file"},
};

const ReportTexts kRussianTexts = {
    .lang = "ru",
    .title = "Разбор соревнования",
    .madeBy =
        "Составлен zorvan-replay {}: отчёт пропущен через модуль соревнования; все "
        "данные, которые даёт модуль, взяты у него.",
    .logLine = "Отчёт {}: {} QSO с {} по {} UTC.",
    .summary = "Итог",
    .charts = "Графики",
    .rates = "Темп",
    .multipliers = "Множители",
    .checks = "Проверка правил",
    .qsoTable = "Все QSO",
    .score = "Результат",
    .qsos = "QSO",
    .points = "Очки",
    .dxcc = "DXCC",
    .regions = "Области",
    .dupes = "Повторы",
    .badQsos = "Неверные QSO",
    .claimedScore = "Заявленный результат",
    .claimed = "Модуль сохранил {} как заявленный результат для заголовка Cabrillo.",
    .asReturned = "Итог в том виде, в каком его возвращает модуль",
    .noSummary = "Итог модуля прочитать не удалось; ниже собственный подсчёт разбора по отчёту.",
    .mismatch =
        "Собственный подсчёт разбора расходится с итогом модуля в: {}. Верны данные "
        "модуля.",
    .agrees =
        "Собственный подсчёт разбора, QSO за QSO, совпадает с итогом модуля на каждом "
        "диапазоне.",
    .exportPass =
        "Проход экспорта: модуль не даёт темпа, а нарастающие итоги — собственный "
        "подсчёт разбора.",
    .chartQsos = "QSO за каждый час по диапазонам",
    .chartScore = "Результат по ходу соревнования (на конец каждого часа)",
    .chartMults = "Множители по ходу соревнования",
    .chartBandChanges = "Смены диапазона за каждый час",
    .chartModes = "QSO по видам работы на каждом диапазоне",
    .limit = "на десятой смене окно переходов становится красным",
    .cumulativeNote =
        "Итоги на конец каждого часа — собственный итог модуля, запрошенный в "
        "начале каждого нового часа при пропуске отчёта.",
    .best60 = "Лучшие 60 минут",
    .best10 = "Лучшие 10 минут",
    .bestLine = "{} QSO, {} очков, с {}",
    .operating = "Время работы",
    .offTime = "Перерывы (30 минут и больше)",
    .firstLast = "Первое и последнее QSO",
    .breaks = "Перерывы 30 минут и больше",
    .breakRow = "с {} по {}: {}",
    .noBreaks = "Перерывов 30 минут и больше нет.",
    .hour = "Час (UTC)",
    .hourTable = "Каждый час: QSO и очки по диапазонам",
    .bandChanges = "Смены диапазона",
    .total = "Всего",
    .sparseHours = "Отчёт длиннее недели: показаны только часы с QSO.",
    .hoursMinutes = "{} ч {} мин",
    .perBandMode = "Множители по диапазонам и видам работы",
    .band = "Диапазон",
    .mode = "Вид",
    .regionMap = "Области за всё соревнование",
    .regionMapNote =
        "Расположены как в окне областей. Сработанные на любом диапазоне и виде работы — "
        "малиновые (число — на скольких диапазонах и видах работы), недостающие — "
        "зелёные.",
    .missing = "Ещё нет ({} из 88): {}",
    .noneMissing = "Сработаны все 88 областей.",
    .regionsSmall = "Области по диапазонам и видам работы",
    .worked = "сработана",
    .notWorked = "не сработана",
    .dxccTable = "Префиксы DXCC по диапазонам и видам работы",
    .prefix = "Префикс",
    .continents = "QSO и очки по континентам",
    .continent = "Континент",
    .unknown = "неизвестен",
    .none = "Нет.",
    .found = "Найдено: {}.",
    .modeTooSoon =
        "Одна станция обоими видами работы на одном диапазоне с разницей меньше трёх минут",
    .modeTooSoonWhy =
        "Собственное предупреждение модуля, запрошенное перед каждым QSO в его "
        "время. Оно выдаётся с той же секунды и до 2 мин 59 с после последнего QSO "
        "станции другим видом работы на этом диапазоне (целые минуты, округлённые до "
        "секунды и отсечённые); ровно через 3 минуты — нет.",
    .earlier = "Другим видом",
    .apart = "Разница",
    .message = "Сообщение модуля",
    .bandChangeHours = "Часы с десятью и более сменами диапазона",
    .bandChangeWhy =
        "Смена диапазона — QSO на другом диапазоне, чем предыдущее QSO отчёта в "
        "тот же час, как их считает окно переходов.",
    .bandChangeHour = "{}: смен диапазона — {}",
    .changeNo = "Смена",
    .dupeList = "Повторы",
    .dupeWhy =
        "QSO, которые модуль отметил как повторы (тот же позывной, диапазон и вид работы, что у "
        "более раннего QSO): очков не дают.",
    .original = "Первое QSO",
    .notCounted = "Отклонённые и не засчитанные QSO",
    .notCountedWhy =
        "Все QSO, которые не дают очков, с причиной модуля из его отчёта о неверных "
        "QSO.",
    .reason = "Причина",
    .refusedWord = "отклонено",
    .reasonWrongBand = "диапазон вне 160–10 м: отклонено",
    .reasonWrongMode = "не вид работы соревнования: отклонено",
    .reasonNoRx = "номер пуст: отклонено",
    .reasonBadRegion = "не код области: сохранено, не засчитано",
    .reasonDupe = "повтор: сохранено, не засчитано",
    .regionNotCalls = "Российские станции, чья область не та, что следует из позывного",
    .regionNotCallsWhy =
        "Область по позывному, как её выводит модуль (со списком особых "
        "позывных); специальные и переносные позывные области не задают.",
    .sent = "Принятая область",
    .implied = "По позывному",
    .exchangeChanges = "Одна станция передаёт разные номера",
    .exchangeWhy =
        "Российская станция всё соревнование передаёт одну область; номера "
        "остальных растут от QSO к QSO.",
    .exchangeRegions = "разные области",
    .exchangeNumbers = "номера не растут",
    .unknownCalls = "Позывные, которых нет в MASTER.SCP",
    .unknownWhy = "Позывные, которых нет в файле {}: стоит проверить ещё раз.",
    .scpNotChecked = "Не проверялось: укажите файл MASTER.SCP ключом --scp FILE.",
    .tableNote =
        "Множ.: ответ проверки позывного модулем перед записью QSO. Даёт: множители, "
        "которые QSO добавило к результату.",
    .line = "Строка",
    .time = "Время (UTC)",
    .call = "Позывной",
    .rcvd = "Принято",
    .pts = "Очки",
    .mult = "Множ.",
    .flags = "Отметки",
    .checkDupe = "повтор",
    .checkKnown = "есть",
    .checkNew = "новый",
    .checkRefused = "отказ",
    .adds = "Даёт",
    .flagNames = {"отклонено", "повтор", "не область", "3 мин", "смены диап.", "область", "номер",
                  "нет в SCP", "нет страны"},
    .flagLegend = {"отклонено модулем", "повтор", "код области не принят",
                   "другой вид работы на этом диапазоне меньше 3 минут назад",
                   "десятая или более поздняя смена диапазона за час",
                   "область не та, что следует из позывного", "номера станции не согласуются",
                   "нет в MASTER.SCP", "нет в файле стран"},
};

}  // namespace zd::replay
