#pragma once
// The property keys and fixed values of the tracker layer, as the collector's
// reports expect them.

namespace varen::tracking::keys {

// Super properties.
inline constexpr const char* kAppIdSys = "$app_id";
inline constexpr const char* kAppVersion = "$app_version";
inline constexpr const char* kOs = "$os";
inline constexpr const char* kOsVersion = "$os_version";
inline constexpr const char* kScreenHeight = "$screen_height";
inline constexpr const char* kScreenWidth = "$screen_width";
inline constexpr const char* kAppId = "kx_app_id";
inline constexpr const char* kAppPlatform = "kx_app_platform";
inline constexpr const char* kAppStore = "kx_app_store";
inline constexpr const char* kDlAppId = "kx_dlapp_id";
inline constexpr const char* kDlAppVersion = "kx_dlapp_version";
inline constexpr const char* kEdition = "kx_edition";
inline constexpr const char* kCountry = "kx_l10n_country";
inline constexpr const char* kLanguage = "kx_l10n_language";
inline constexpr const char* kLocale = "kx_l10n_locale";
inline constexpr const char* kSdk = "kx_sdk";
inline constexpr const char* kSdkVersion = "kx_sdk_version";
inline constexpr const char* kTrackType = "kx_track_type";
inline constexpr const char* kUserId = "kx_user_id";

// Event properties shared by several events.
inline constexpr const char* kInstallSource = "$ios_install_source";
inline constexpr const char* kUserAgent = "$user_agent";
inline constexpr const char* kIsFirstTime = "$is_first_time";

// Profile properties.
inline constexpr const char* kProfileOs = "kx_os";
inline constexpr const char* kProfileOsVersion = "kx_os_version";
inline constexpr const char* kFirstVisitTime = "$first_visit_time";
inline constexpr const char* kFirstVisitDate = "kx_first_visit_date";
inline constexpr const char* kLastVisitDate = "kx_last_visit_date";
inline constexpr const char* kLastAppId = "kx_last_app_id";
inline constexpr const char* kLastAppVersion = "kx_last_app_version";
inline constexpr const char* kFirstPaidDate = "kx_first_paid_date";
inline constexpr const char* kLastPaidDate = "kx_last_paid_date";
inline constexpr const char* kPaidCount = "kx_paid_count";
inline constexpr const char* kConsumption = "kx_consumption";

// The A/B group of the installer's reports.
inline constexpr const char* kAbGroup = "kxc_ab";

// Fixed values.
inline constexpr const char* kSdkVersionValue = "3.3.8";
inline constexpr const char* kSdkValue = "WindowsCPP";
inline constexpr const char* kTrackTypeValue = "Client";
inline constexpr const char* kPlatformValue = "Windows";
inline constexpr const char* kInstallSourceValue = "android_id=123##imei=1234##mac=123";
inline constexpr const char* kCollectorPath = "/sa?project=pc";

}  // namespace varen::tracking::keys
