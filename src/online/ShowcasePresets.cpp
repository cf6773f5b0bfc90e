#include "Showcase.h"

#include <array>
#include <stdexcept>
#include <string>

// The built-in sample brands. Preset 0 is the template a prospective partner fills; presets 1 to 4
// are fictional partner sites on reserved example domains.
namespace statdesk {
namespace {

// Colour references: bits 0-7 red, 8-15 green, 16-23 blue.
constexpr quint32 kRed = 0x0000FF;
constexpr quint32 kWhite = 0xFFFFFF;
constexpr quint32 kNavy = 0x800000;
constexpr quint32 kGreen = 0x008000;
constexpr quint32 kLightGreen = 0xD3F3CD; // red 205, green 243, blue 211

constexpr std::array<ShowcaseLink, 6> kTemplateMenu{{
    {"YourWebsiteName.com", ""},
    {"Link to your main page", ""},
    {"Link to your sports teams page", ""},
    {"Link to your sports articles page", ""},
    {"Link to your scores page", ""},
    {"Etc.", ""},
}};

constexpr std::array<ShowcasePanelLink, 15> kTemplatePanel{{
    {"Place", "", "220", "3"},
    {"as", "", "220", "19"},
    {"many", "", "220", "35"},
    {"links", "", "270", "3"},
    {"to", "", "270", "19"},
    {"your", "", "270", "35"},
    {"website", "", "310", "3"},
    {"and", "", "310", "19"},
    {"your", "", "310", "35"},
    {"website's", "", "365", "3"},
    {"subpages", "", "365", "19"},
    {"as", "", "365", "35"},
    {"you", "", "435", "3"},
    {"wish", "", "435", "19"},
    {"here", "", "435", "35"},
}};

constexpr std::array<ShowcaseLink, 10> kHarborMenu{{
    {"Harbor City Hoops", "http://harborhoops.example.com/"},
    {"Home", "http://harborhoops.example.com/"},
    {"Scores", "http://harborhoops.example.com/scores/"},
    {"Schedule", "http://harborhoops.example.com/schedule/"},
    {"Standings", "http://harborhoops.example.com/standings/"},
    {"-", ""},
    {"Team News", "http://harborhoops.example.com/news/"},
    {"Player Profiles", "http://harborhoops.example.com/players/"},
    {"-", ""},
    {"Fan Forum", "http://harborhoops.example.com/forum/"},
}};

constexpr std::array<ShowcasePanelLink, 11> kHarborPanel{{
    {"Home", "http://harborhoops.example.com/", "220", "3"},
    {"Scores", "http://harborhoops.example.com/scores/", "220", "20"},
    {"Schedule", "http://harborhoops.example.com/schedule/", "220", "37"},
    {"Standings", "http://harborhoops.example.com/standings/", "300", "3"},
    {"Team News", "http://harborhoops.example.com/news/", "300", "20"},
    {"Players", "http://harborhoops.example.com/players/", "300", "37"},
    {"Photos", "http://harborhoops.example.com/photos/", "390", "3"},
    {"Video", "http://harborhoops.example.com/video/", "390", "20"},
    {"Tickets", "http://harborhoops.example.com/tickets/", "390", "37"},
    {"Fan Forum", "http://harborhoops.example.com/forum/", "470", "3"},
    {"Contact", "http://harborhoops.example.com/contact/", "470", "20"},
}};

constexpr std::array<ShowcaseLink, 9> kPrairieMenu{{
    {"Prairie Gazette", "http://prairiegazette.example.org/"},
    {"Front Page", "http://prairiegazette.example.org/"},
    {"Sports", "http://prairiegazette.example.org/sports/"},
    {"-", ""},
    {"High School", "http://prairiegazette.example.org/sports/highschool/"},
    {"College", "http://prairiegazette.example.org/sports/college/"},
    {"Pro Basketball", "http://prairiegazette.example.org/sports/basketball/"},
    {"-", ""},
    {"Subscribe", "http://prairiegazette.example.org/subscribe/"},
}};

constexpr std::array<ShowcasePanelLink, 12> kPrairiePanel{{
    {"Front Page", "http://prairiegazette.example.org/", "220", "2"},
    {"Sports", "http://prairiegazette.example.org/sports/", "220", "20"},
    {"Weather", "http://prairiegazette.example.org/weather/", "220", "38"},
    {"High School", "http://prairiegazette.example.org/sports/highschool/", "305", "2"},
    {"College", "http://prairiegazette.example.org/sports/college/", "305", "20"},
    {"Pro Basketball", "http://prairiegazette.example.org/sports/basketball/", "305", "38"},
    {"Outdoors", "http://prairiegazette.example.org/outdoors/", "410", "2"},
    {"Columns", "http://prairiegazette.example.org/columns/", "410", "20"},
    {"Obituaries", "http://prairiegazette.example.org/obituaries/", "410", "38"},
    {"Classifieds", "http://prairiegazette.example.org/classifieds/", "495", "2"},
    {"Subscribe", "http://prairiegazette.example.org/subscribe/", "495", "20"},
    {"Contact Us", "http://prairiegazette.example.org/contact/", "495", "38"},
}};

constexpr std::array<ShowcaseLink, 11> kLakeshoreMenu{{
    {"Lakeshore Sports Weekly", "http://lakeshoreweekly.example.net/"},
    {"This Week", "http://lakeshoreweekly.example.net/"},
    {"Basketball", "http://lakeshoreweekly.example.net/basketball/"},
    {"Baseball", "http://lakeshoreweekly.example.net/baseball/"},
    {"Hockey", "http://lakeshoreweekly.example.net/hockey/"},
    {"Football", "http://lakeshoreweekly.example.net/football/"},
    {"-", ""},
    {"Sailing", "http://lakeshoreweekly.example.net/sailing/"},
    {"Fishing Report", "http://lakeshoreweekly.example.net/fishing/"},
    {"-", ""},
    {"Archives", "http://lakeshoreweekly.example.net/archives/"},
}};

constexpr std::array<ShowcasePanelLink, 12> kLakeshorePanel{{
    {"This Week", "http://lakeshoreweekly.example.net/", "220", "2"},
    {"Basketball", "http://lakeshoreweekly.example.net/basketball/", "220", "20"},
    {"Baseball", "http://lakeshoreweekly.example.net/baseball/", "220", "38"},
    {"Hockey", "http://lakeshoreweekly.example.net/hockey/", "300", "2"},
    {"Football", "http://lakeshoreweekly.example.net/football/", "300", "20"},
    {"Soccer", "http://lakeshoreweekly.example.net/soccer/", "300", "38"},
    {"Sailing", "http://lakeshoreweekly.example.net/sailing/", "375", "2"},
    {"Fishing", "http://lakeshoreweekly.example.net/fishing/", "375", "20"},
    {"Golf", "http://lakeshoreweekly.example.net/golf/", "375", "38"},
    {"Scoreboard", "http://lakeshoreweekly.example.net/scores/", "445", "2"},
    {"Archives", "http://lakeshoreweekly.example.net/archives/", "445", "20"},
    {"Letters", "http://lakeshoreweekly.example.net/letters/", "445", "38"},
}};

constexpr std::array<ShowcaseLink, 31> kSummitMenu{{
    {"Summit Valley Courier", "http://summitcourier.example.com/"},
    {"Home", "http://summitcourier.example.com/"},
    {"Local News", "http://summitcourier.example.com/news/local/"},
    {"Region", "http://summitcourier.example.com/news/region/"},
    {"Business", "http://summitcourier.example.com/business/"},
    {"-", ""},
    {"Sports", "http://summitcourier.example.com/sports/"},
    {"Basketball", "http://summitcourier.example.com/sports/basketball/"},
    {"Baseball", "http://summitcourier.example.com/sports/baseball/"},
    {"Football", "http://summitcourier.example.com/sports/football/"},
    {"Hockey", "http://summitcourier.example.com/sports/hockey/"},
    {"Skiing", "http://summitcourier.example.com/sports/skiing/"},
    {"High School Sports", "http://summitcourier.example.com/sports/preps/"},
    {"Scoreboard", "http://summitcourier.example.com/sports/scores/"},
    {"-", ""},
    {"Opinion", "http://summitcourier.example.com/opinion/"},
    {"Letters to the Editor", "http://summitcourier.example.com/opinion/letters/"},
    {"-", ""},
    {"Entertainment", "http://summitcourier.example.com/entertainment/"},
    {"Dining", "http://summitcourier.example.com/entertainment/dining/"},
    {"Events Calendar", "http://summitcourier.example.com/calendar/"},
    {"-", ""},
    {"Weather", "http://summitcourier.example.com/weather/"},
    {"Trail Conditions", "http://summitcourier.example.com/outdoors/trails/"},
    {"Road Reports", "http://summitcourier.example.com/news/roads/"},
    {"-", ""},
    {"Classifieds", "http://summitcourier.example.com/classifieds/"},
    {"Real Estate", "http://summitcourier.example.com/classifieds/homes/"},
    {"Jobs", "http://summitcourier.example.com/classifieds/jobs/"},
    {"-", ""},
    {"Subscribe", "http://summitcourier.example.com/subscribe/"},
}};

constexpr std::array<ShowcasePanelLink, 12> kSummitPanel{{
    {"Home", "http://summitcourier.example.com/", "220", "3"},
    {"Local News", "http://summitcourier.example.com/news/local/", "220", "20"},
    {"Business", "http://summitcourier.example.com/business/", "220", "37"},
    {"Sports", "http://summitcourier.example.com/sports/", "300", "3"},
    {"Basketball", "http://summitcourier.example.com/sports/basketball/", "300", "20"},
    {"Scoreboard", "http://summitcourier.example.com/sports/scores/", "300", "37"},
    {"Opinion", "http://summitcourier.example.com/opinion/", "385", "3"},
    {"Weather", "http://summitcourier.example.com/weather/", "385", "20"},
    {"Calendar", "http://summitcourier.example.com/calendar/", "385", "37"},
    {"Classifieds", "http://summitcourier.example.com/classifieds/", "465", "3"},
    {"Jobs", "http://summitcourier.example.com/classifieds/jobs/", "465", "20"},
    {"Subscribe", "http://summitcourier.example.com/subscribe/", "465", "37"},
}};

const std::array<ShowcasePreset, kShowcasePresets> kPresets{{
    {0, "The Orvella", "MS Sans Serif", 10, false, true, kRed, kWhite, kTemplateMenu, kTemplatePanel},
    {1, "The Harbor City Hoops Orvella", "Arial", 8, true, true, kWhite, kRed, kHarborMenu, kHarborPanel},
    {2, "The Prairie Gazette Orvella", "MS Sans Serif", 8, false, true, kNavy, kWhite, kPrairieMenu,
     kPrairiePanel},
    {3, "The Lakeshore Sports Weekly Orvella", "MS Sans Serif", 8, false, true, kGreen, kLightGreen,
     kLakeshoreMenu, kLakeshorePanel},
    {4, "The Summit Valley Courier Orvella", "MS Sans Serif", 8, true, true, kNavy, kWhite, kSummitMenu,
     kSummitPanel},
}};

} // namespace

const ShowcasePreset& showcasePreset(int position) {
    if (position < 0 || position >= kShowcasePresets)
        throw std::out_of_range("no showcase preset " + std::to_string(position));
    return kPresets[static_cast<size_t>(position)];
}

} // namespace statdesk
