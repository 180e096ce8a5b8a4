{ The framework runtime's application unit, reduced to what a generated Assets.Consts uses. }
unit ORVO.Application;

interface

type
  TqoThemeSettings = class
  private
    FThemeName: string;
  public
    property ThemeName: string read FThemeName write FThemeName;
  end;

  TqoApplication = class
  private
    FThemeSettings: TqoThemeSettings;
  public
    constructor Create;
    property ThemeSettings: TqoThemeSettings read FThemeSettings;
  end;

var
  Application: TqoApplication;

implementation

constructor TqoApplication.Create;
begin
  FThemeSettings := TqoThemeSettings.Create;
end;

initialization
  Application := TqoApplication.Create;

end.
